// Times a full read and write of a generated drawing of about 100 MB
// (ReadPolylines followed by WriteArcResult with no arcs marked) against a plain byte copy
// of the same file, in the same run, and prints the ratio.
//
// Usage: roundtrip_bench [megabytes]

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "arcs/arc_writer.h"
#include "dxf/polyline_reader.h"
#include "support/notices.h"

namespace {

using Clock = std::chrono::steady_clock;

class SilentMessages : public quillmere::NoticeSink {
 public:
  void Notify(quillmere::Notice, const std::string&) override { ++count; }
  int count = 0;
};

// Writes a drawing of LWPOLYLINEs and old-style POLYLINEs until it reaches
// the requested size.
void WriteDrawing(const std::string& path, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary);
  out << "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  std::size_t written = 0;
  std::string block;
  for (int n = 0; written < bytes; ++n) {
    block.clear();
    if (n % 2 == 0) {
      block += "  0\r\nLWPOLYLINE\r\n  5\r\n" + std::to_string(100 + n) +
               "\r\n  8\r\nKONTUR\r\n 90\r\n200\r\n 70\r\n     0\r\n";
      for (int i = 0; i < 200; ++i) {
        block += " 10\r\n" + std::to_string(n * 0.5 + i * 0.125) + "\r\n 20\r\n" +
                 std::to_string(i * 0.25) + "\r\n";
      }
    } else {
      block += "  0\r\nPOLYLINE\r\n  8\r\nKONTUR\r\n 66\r\n     1\r\n 70\r\n     0\r\n";
      for (int i = 0; i < 100; ++i) {
        block += "  0\r\nVERTEX\r\n  8\r\nKONTUR\r\n 10\r\n" + std::to_string(i * 1.5) +
                 "\r\n 20\r\n" + std::to_string(n * 0.75) + "\r\n 30\r\n0.0\r\n";
      }
      block += "  0\r\nSEQEND\r\n  8\r\nKONTUR\r\n";
    }
    out << block;
    written += block.size();
  }
  out << "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

// A plain copy with large blocks: the fastest that any writer could be.
void CopyBytes(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY);
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char> buffer(1 << 20);
  ssize_t got = 0;
  while ((got = ::read(in, buffer.data(), buffer.size())) > 0) {
    if (::write(out, buffer.data(), static_cast<std::size_t>(got)) != got) break;
  }
  ::close(in);
  ::close(out);
}

template <typename Work>
double BestSeconds(int runs, Work work) {
  double best = 1e30;
  for (int r = 0; r < runs; ++r) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillmere-bench";
  std::filesystem::create_directories(dir);
  const std::string input = (dir / "drawing.dxf").string();
  const std::string copy = (dir / "copy.dxf").string();
  const std::string output = (dir / "roundtrip.dxf").string();
  if (std::getenv("QUILLMERE_BENCH_KEEP") == nullptr || !std::filesystem::exists(input)) {
    WriteDrawing(input, megabytes << 20);
  }
  const double size_mb = static_cast<double>(std::filesystem::file_size(input)) / (1 << 20);

  SilentMessages messages;
  const double copy_seconds = BestSeconds(3, [&] { CopyBytes(input, copy); });
  int polylines = 0;
  double read_seconds = 0;
  const double roundtrip_seconds = BestSeconds(3, [&] {
    const auto start = Clock::now();
    quillmere::PolylineModel model;
    quillmere::ReadPolylines(model, input, messages);
    read_seconds = std::chrono::duration<double>(Clock::now() - start).count();
    quillmere::WriteArcResult(model, input, output, messages);
    polylines = model.PolylineCount();
  });
  const bool same = std::filesystem::file_size(output) == std::filesystem::file_size(input);

  std::printf("drawing: %.1f MB, %d polylines\n", size_mb, polylines);
  std::printf("plain byte copy:        %.3f s (%.0f MB/s)\n", copy_seconds, size_mb / copy_seconds);
  std::printf("read + write round trip: %.3f s (%.0f MB/s)\n", roundtrip_seconds,
              size_mb / roundtrip_seconds);
  std::printf("  of which reading:       %.3f s (last run)\n", read_seconds);
  std::printf("ratio round trip / copy: %.2f (target: at most 3)\n", roundtrip_seconds / copy_seconds);
  std::printf("output size equals input: %s, messages: %d\n", same ? "yes" : "no", messages.count);
  if (std::getenv("QUILLMERE_BENCH_KEEP") == nullptr) std::filesystem::remove_all(dir);
  return same && messages.count == 0 ? 0 : 1;
}
