// Speed of the lines-to-polylines job on large drawings.
//
// Writes drawings of 20,000 to 200,000 LINEs that form chains of 1 to 60
// lines, in shuffled order, runs reading, chaining and writing on each and
// prints the processor time per phase and per line (the fastest of three
// runs, since the machine may be busy). Then compares the indexed
// chaining with the plain every-with-every passes on a subset of the lines,
// checks that both give the same model and prints the speed-up. Last, the
// job with contours on the largest drawing with every third line drawn
// backwards, against a byte copy of the same file.
//
// Usage: line_chain_bench [largest line count]

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "lines/line_records.h"
#include "lines/line_chaining.h"
#include "lines/line_job.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"
#include "reference_chaining.h"  // the plain passes, as the tests use them
#include "support/notices.h"
#include "named_input.h"

namespace {

using quillmere::LineModel;

// Processor time of this process (user and system): what the job costs on
// one core, whatever else the machine is busy with.
struct Clock {
  using time_point = double;
  static double now() {
    timespec time{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
  }
};

constexpr double kTolerance = 0.01;

class CountingMessages : public quillmere::NoticeSink {
 public:
  void Notify(const quillmere::Failure&) override { ++shown; }
  int shown = 0;
};

double Seconds(Clock::time_point since) { return Clock::now() - since; }

// A lightweight-style drawing of `count` LINEs: chains of random walks, each
// in a region of its own, cut into lines and shuffled. Some joints are off by
// less than the tolerance.
std::string MakeDrawing(std::size_t count, std::mt19937_64& random, bool some_backwards = false) {
  std::uniform_real_distribution<double> step(-5, 5);
  std::uniform_real_distribution<double> jitter(-0.004, 0.004);
  std::vector<std::string> lines;
  lines.reserve(count);
  char buffer[256];
  std::size_t chain = 0;
  while (lines.size() < count) {
    const std::size_t length = 1 + random() % 60;
    double x = static_cast<double>(chain % 1000) * 1000;
    double y = static_cast<double>(chain / 1000) * 1000;
    for (std::size_t k = 0; k < length && lines.size() < count; ++k) {
      const double nx = x + step(random);
      const double ny = y + step(random);
      const double sx = random() % 4 == 0 ? x + jitter(random) : x;
      const bool backwards = some_backwards && random() % 3 == 0;
      std::snprintf(buffer, sizeof buffer,
                    "  0\r\nLINE\r\n  5\r\n%zX\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n0\r\n"
                    "100\r\nAcDbLine\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n 30\r\n0.0\r\n"
                    " 11\r\n%.6f\r\n 21\r\n%.6f\r\n 31\r\n0.0\r\n",
                    lines.size() + 0x100, backwards ? nx : sx, backwards ? ny : y,
                    backwards ? sx : nx, backwards ? y : ny);
      lines.emplace_back(buffer);
      x = nx;
      y = ny;
    }
    ++chain;
  }
  std::shuffle(lines.begin(), lines.end(), random);
  std::string text =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"
      "  9\r\n$HANDSEED\r\n  5\r\nFFFFF\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (const std::string& line : lines) text += line;
  text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  return text;
}

void WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  std::fclose(file);
}

std::int32_t Chains(const LineModel& model) {
  std::int32_t chains = 0;
  for (std::int32_t i = 0; i < model.RecordCount(); ++i) {
    if (!model.records[static_cast<std::size_t>(i)].dropped) ++chains;
  }
  return chains;
}

bool SameModel(const LineModel& a, const LineModel& b) {
  if (a.RecordCount() != b.RecordCount()) return false;
  for (std::int32_t i = 0; i < a.RecordCount(); ++i) {
    const auto& p = a.records[static_cast<std::size_t>(i)];
    const auto& q = b.records[static_cast<std::size_t>(i)];
    if (p.VertexCount() != q.VertexCount() || p.dropped != q.dropped) return false;
    for (std::int32_t v = 0; v < p.VertexCount(); ++v) {
      const auto& s = p.vertices[static_cast<std::size_t>(v)];
      const auto& t = q.vertices[static_cast<std::size_t>(v)];
      if (s.x != t.x || s.y != t.y || s.z != t.z || !(s.pairs == t.pairs)) return false;
    }
  }
  return true;
}

constexpr int kRuns = 3;

struct Phases {
  double read = 0;
  double chain = 0;  // chaining and vertex counts
  double write = 0;
  double total() const { return read + chain + write; }
};

// The line job, timed phase by phase.
Phases RunJob(LineModel& model, const std::string& input, const std::string& output,
              quillmere::NoticeSink& messages) {
  Phases phases;
  Clock::time_point start = Clock::now();
  Reported(quillmere::ReadLines(model, input), messages);
  phases.read = Seconds(start);
  start = Clock::now();
  quillmere::ChainLines(model, kTolerance);
  quillmere::AppendVertexCounts(model);
  phases.chain = Seconds(start);
  start = Clock::now();
  Reported(quillmere::WriteLineResult(model, input, output), messages);
  phases.write = Seconds(start);
  return phases;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t largest = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("line_chain_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string input = (folder / "lines.dxf").string();
  const std::string output = (folder / "polylines.dxf").string();
  std::mt19937_64 random(42);
  CountingMessages messages;

  std::printf("processor seconds of this process, fastest of %d runs\n", kRuns);
  std::printf("%9s %8s %8s %8s %8s %10s %9s %7s\n", "lines", "read s", "chain s", "write s",
              "total s", "chain+wr s", "ns/line", "chains");
  double first_rate = 0;
  for (const std::size_t count : {largest / 10, largest / 4, largest / 2, largest}) {
    WriteText(input, MakeDrawing(count, random));
    // The fastest of a few runs: the machine may be busy with other work.
    Phases best;
    std::int32_t chains = 0;
    for (int run = 0; run < kRuns; ++run) {
      LineModel model;
      const Phases phases = RunJob(model, input, output, messages);
      if (run == 0 || phases.total() < best.total()) best = phases;
      chains = Chains(model);
    }
    const double per_line = best.total() / static_cast<double>(count) * 1e9;
    if (first_rate == 0) first_rate = per_line;
    std::printf("%9zu %8.3f %8.3f %8.3f %8.3f %10.3f %9.0f %7d\n", count, best.read, best.chain,
                best.write, best.total(), best.chain + best.write, per_line, chains);
    if (count == largest) {
      std::printf("time per line at %zu lines is %.2f times that at %zu lines (1.00 = linear)\n",
                  count, per_line / first_rate, largest / 10);
    }
  }

  // Indexed against plain passes on the same subset.
  const std::size_t subset = largest / 10;
  WriteText(input, MakeDrawing(subset, random));
  LineModel plain;
  Reported(quillmere::ReadLines(plain, input), messages);
  LineModel indexed;
  int indexed_passes = 0;
  double indexed_time = 0;
  for (int run = 0; run < kRuns; ++run) {
    indexed = plain;
    const Clock::time_point start = Clock::now();
    indexed_passes = quillmere::ChainLines(indexed, kTolerance);
    const double time = Seconds(start);
    if (run == 0 || time < indexed_time) indexed_time = time;
  }
  const Clock::time_point start = Clock::now();
  const int plain_passes = quillmere::testing::ReferenceChainLines(plain, kTolerance);
  const double plain_time = Seconds(start);
  const bool same = plain_passes == indexed_passes && SameModel(plain, indexed);
  std::printf("subset of %zu lines: plain passes %.3f s, indexed %.4f s, speed-up %.0fx, %d passes, %s\n",
              subset, plain_time, indexed_time, plain_time / indexed_time, indexed_passes,
              same ? "same model" : "MODELS DIFFER");

  // Contours: the whole job (read, walk, write) against a byte copy.
  WriteText(input, MakeDrawing(largest, random, true));
  double contour_time = 0;
  double contour_processor = 0;
  double copy_time = 0;
  std::int64_t contour_polylines = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto wall = std::chrono::steady_clock::now();
    const Clock::time_point processor = Clock::now();
    const auto summary = quillmere::RunLineJob(kTolerance, input, output, messages, nullptr, true);
    const double time = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    if (run == 0 || time < contour_time) contour_time = time;
    if (run == 0 || Seconds(processor) < contour_processor) contour_processor = Seconds(processor);
    contour_polylines = summary ? summary->polylines_written : -1;
    const auto copy_start = std::chrono::steady_clock::now();
    std::filesystem::copy_file(input, output, std::filesystem::copy_options::overwrite_existing);
    const double copied =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - copy_start).count();
    if (run == 0 || copied < copy_time) copy_time = copied;
  }
  std::printf("contours, %zu lines (a third drawn backwards): job %.3f s wall (processor %.3f s), "
              "byte copy %.3f s, ratio %.0fx, %lld polylines: %s the 2 s target\n",
              largest, contour_time, contour_processor, copy_time, contour_time / copy_time,
              static_cast<long long>(contour_polylines), contour_time < 2 ? "within" : "OVER");

  std::filesystem::remove_all(folder);
  if (messages.shown != 0) std::printf("%d messages were shown\n", messages.shown);
  return same && messages.shown == 0 && contour_polylines > 0 ? 0 : 1;
}
