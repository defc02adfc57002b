// Prints the exact bits of the math functions the jobs use (sine, cosine,
// tangent, arcsine, two-argument arctangent, square root) for a fixed set of
// arguments, one line each. scripts/windows builds it for Linux and for
// Windows and compares the two outputs: the C libraries of the two systems
// are different code, and a difference in the last bit would be a
// difference in the drawings written.

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// A fixed sequence of numbers in [0, 1): the same on every system.
class Sequence {
 public:
  double Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) * 0x1.0p-53;
  }

 private:
  std::uint64_t state_ = 20240601;
};

void Print(const char* name, double argument, double result) {
  std::printf("%s %016" PRIx64 " %016" PRIx64 "\n", name, Bits(argument), Bits(result));
}

}  // namespace

int main() {
  constexpr int kArguments = 200000;
  Sequence sequence;
  for (int k = 0; k < kArguments; ++k) {
    // Angles of a few turns either way, as arc angles are.
    const double angle = (sequence.Next() - 0.5) * 8 * M_PI;
    Print("sin", angle, std::sin(angle));
    Print("cos", angle, std::cos(angle));
    Print("tan", angle / 4, std::tan(angle / 4));
    const double ratio = 2 * sequence.Next() - 1;
    Print("asin", ratio, std::asin(ratio));
    // Coordinate differences from tiny to drawing sizes; scaled by powers
    // of two, which are exact, so that the arguments are equal everywhere.
    const double y = std::ldexp(sequence.Next() - 0.5, static_cast<int>(40 * sequence.Next()) - 20);
    const double x = std::ldexp(sequence.Next() - 0.5, static_cast<int>(40 * sequence.Next()) - 20);
    Print("atan2", y, std::atan2(y, x));
    Print("sqrt", x * x + y * y, std::sqrt(x * x + y * y));
  }
  return 0;
}
