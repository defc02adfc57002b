// Speed of the join job on large drawings: polylines of 2 to 50 vertices
// that form chains, stored in shuffled order, LWPOLYLINE and POLYLINE mixed.
// Prints the time of the whole job (read, join, write) and of its parts for
// growing drawings, and the speed-up of the join passes over the plain
// reference on smaller drawings, checking that both leave the same model.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "dxf/polyline_reader.h"
#include "join/join_job.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"
// The reference passes and the model comparison of the tests.
#include "join_test_models.h"
#include "reference_joining.h"
#include "support/notices.h"
#include "named_input.h"

namespace quillmere {
namespace {

constexpr double kTolerance = 0.01;

class PrintingMessages : public NoticeSink {
 public:
  void Notify(const Failure&) override { ++shown; }
  int shown = 0;
};

struct Point {
  double x, y;
};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

// One polyline entity as a CAD program writes it.
std::string Entity(const std::vector<Point>& points, bool lightweight, long& handle) {
  std::string text;
  const auto pair = [&text](const char* code, const std::string& value) {
    text += code;
    text += "\r\n";
    text += value;
    text += "\r\n";
  };
  const auto next_handle = [&handle] {
    char hex[20];
    std::snprintf(hex, sizeof hex, "%lX", handle++);
    return std::string(hex);
  };
  if (lightweight) {
    pair("  0", "LWPOLYLINE");
    pair("  5", next_handle());
    pair("100", "AcDbEntity");
    pair("  8", "KONTUR");
    pair("100", "AcDbPolyline");
    pair(" 90", std::to_string(points.size()));
    pair(" 70", "0");
    for (const Point& p : points) {
      pair(" 10", Number(p.x));
      pair(" 20", Number(p.y));
    }
    return text;
  }
  pair("  0", "POLYLINE");
  pair("  5", next_handle());
  pair("  8", "KONTUR");
  pair(" 66", "1");
  pair(" 10", "0.0");
  pair(" 20", "0.0");
  pair(" 30", "0.0");
  pair(" 70", "0");
  for (const Point& p : points) {
    pair("  0", "VERTEX");
    pair("  5", next_handle());
    pair("  8", "KONTUR");
    pair(" 10", Number(p.x));
    pair(" 20", Number(p.y));
    pair(" 30", "0.0");
  }
  pair("  0", "SEQEND");
  pair("  5", next_handle());
  pair("  8", "KONTUR");
  return text;
}

// Writes a drawing of `count` polylines in chains of 1 to 100, each chain
// of one kind (one in five POLYLINE), every polyline starting where the one
// before it in its chain ends, up to a shift below the tolerance.
// With `some_backwards` every third polyline is stored with its vertices in
// reverse order, so that only contours join it.
void WriteDrawing(const std::string& path, int count, std::uint64_t seed,
                  bool some_backwards = false) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> site(0, 100000);
  std::uniform_real_distribution<double> step(-3, 3);
  std::uniform_real_distribution<double> jitter(-0.003, 0.003);
  std::uniform_int_distribution<int> vertices(2, 50);
  std::uniform_int_distribution<int> chain_length(1, 100);

  std::vector<std::string> entities;
  long handle = 0x100;
  while (static_cast<int>(entities.size()) < count) {
    const bool lightweight = random() % 5 != 0;
    Point at{site(random), site(random)};
    const int length = chain_length(random);
    for (int n = 0; n < length && static_cast<int>(entities.size()) < count; ++n) {
      std::vector<Point> points{{at.x + jitter(random), at.y + jitter(random)}};
      const int size = vertices(random);
      for (int i = 1; i < size; ++i) {
        at = {at.x + step(random), at.y + step(random)};
        points.push_back(at);
      }
      if (some_backwards && random() % 3 == 0) std::reverse(points.begin(), points.end());
      entities.push_back(Entity(points, lightweight, handle));
    }
  }
  std::shuffle(entities.begin(), entities.end(), random);

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"
         "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (const std::string& entity : entities) out << entity;
  out << "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

// Wall-clock and processor time (user and system, which includes the
// kernel's work for fresh memory) since a start point.
struct Stopwatch {
  std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
  std::clock_t processor = std::clock();

  double Wall() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
  }
  double Processor() const { return static_cast<double>(std::clock() - processor) / CLOCKS_PER_SEC; }
};

int Kept(const PolylineModel& model) {
  int kept = 0;
  for (std::int32_t n = 0; n < model.PolylineCount(); ++n) kept += model.polylines[n].dropped ? 0 : 1;
  return kept;
}

struct JobTimes {
  double whole = 1e9, whole_processor = 1e9;  // best of three runs of the job
  double read = 0, join = 0, counts = 0, write = 0;  // one run step by step
  int kept = 0;
};

JobTimes TimeJob(const std::string& input, const std::string& output) {
  JobTimes times;
  PrintingMessages messages;
  for (int run = 0; run < 3; ++run) {
    PolylineModel model;
    const Stopwatch watch;
    RunJoinJob(kTolerance, input, output, messages);
    times.whole = std::min(times.whole, watch.Wall());
    times.whole_processor = std::min(times.whole_processor, watch.Processor());
  }
  PolylineModel model;
  Stopwatch watch;
  Reported(ReadPolylines(model, input), messages);
  times.read = watch.Wall();
  watch = Stopwatch();
  JoinPolylines(model, kTolerance);
  times.join = watch.Wall();
  watch = Stopwatch();
  DropShortPolylines(model);
  times.counts = watch.Wall();
  watch = Stopwatch();
  Reported(WriteJoinResult(model, input, output), messages);
  times.write = watch.Wall();
  times.kept = Kept(model);
  if (messages.shown != 0) std::printf("  (the job showed %d messages)\n", messages.shown);
  return times;
}

// The join passes alone, production against reference, on the same model.
void CompareWithReference(const std::string& input, int count) {
  PrintingMessages messages;
  PolylineModel loaded;
  Reported(ReadPolylines(loaded, input), messages);

  const std::vector<testing::PlainPolyline> plain = testing::PlainPolylinesOf(loaded);
  testing::PlainModel reference{plain};
  Stopwatch watch;
  testing::ReferenceJoinPolylines(reference, kTolerance);
  const double reference_time = watch.Wall();

  PolylineModel production;
  double production_time = 1e9;
  for (int run = 0; run < 3; ++run) {  // the best of three
    production = loaded;
    watch = Stopwatch();
    JoinPolylines(production, kTolerance);
    production_time = std::min(production_time, watch.Wall());
  }

  const testing::PlainModel chains{testing::WithChains(plain, production)};
  const std::string difference = testing::FirstDifference(reference, chains);
  std::printf("%8d polylines: reference %8.3f s, production %8.4f s, speed-up %7.0fx, %s\n", count,
              reference_time, production_time, reference_time / production_time,
              difference.empty() ? "identical models" : ("MODELS DIFFER: " + difference).c_str());
}

int Run() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quillmere-join-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string output = (folder / "out.dxf").string();

  std::printf("Join job, tolerance %g, polylines of 2-50 vertices in chains, shuffled\n\n",
              kTolerance);
  std::printf("Whole job (read, join, write; best of 3, wall clock and processor time),\n"
              "then one run step by step:\n");
  JobTimes at_10k;
  JobTimes at_100k;
  for (const int count : {10000, 20000, 50000, 100000}) {
    const std::string input = (folder / ("in" + std::to_string(count) + ".dxf")).string();
    WriteDrawing(input, count, 7);
    const JobTimes t = TimeJob(input, output);
    std::printf("%7d polylines, %5.1f MB: whole job %.3f s (processor %.3f s); read %.3f s, "
                "join %.3f s, counts %.3f s, write %.3f s; %d polylines written\n",
                count, static_cast<double>(std::filesystem::file_size(input)) / 1e6, t.whole,
                t.whole_processor, t.read, t.join, t.counts, t.write, t.kept);
    if (count == 10000) at_10k = t;
    if (count == 100000) at_100k = t;
    std::filesystem::remove(input);
  }
  std::printf("10k -> 100k polylines (10x): whole job %.1fx the time, join passes %.1fx\n",
              at_100k.whole / at_10k.whole, at_100k.join / at_10k.join);
  std::printf("100k polylines read, joined and written in %.3f s: %s the 2 s target\n\n",
              at_100k.whole, at_100k.whole < 2 ? "within" : "OVER");

  // Contours on 100k polylines, a third stored backwards: the whole job
  // against a byte copy of the same file.
  {
    const std::string input = (folder / "contours.dxf").string();
    WriteDrawing(input, 100000, 13, true);
    PrintingMessages messages;
    double job = 1e9;
    double processor = 1e9;
    double copy = 1e9;
    std::int64_t written = 0;
    for (int run = 0; run < 3; ++run) {
      Stopwatch watch;
      const auto summary = RunJoinJob(kTolerance, input, output, messages, nullptr, true);
      job = std::min(job, watch.Wall());
      processor = std::min(processor, watch.Processor());
      written = summary ? summary->polylines_written : -1;
      watch = Stopwatch();
      std::filesystem::copy_file(input, output, std::filesystem::copy_options::overwrite_existing);
      copy = std::min(copy, watch.Wall());
    }
    std::printf("contours, 100000 polylines (a third stored backwards): job %.3f s (processor "
                "%.3f s), byte copy %.3f s, ratio %.0fx, %lld written: %s the 2 s target\n\n",
                job, processor, copy, job / copy, static_cast<long long>(written),
                job < 2 ? "within" : "OVER");
    std::filesystem::remove(input);
  }

  std::printf("Join passes against the reference:\n");
  for (const int count : {5000, 10000, 20000}) {
    const std::string input = (folder / "subset.dxf").string();
    WriteDrawing(input, count, 11);
    CompareWithReference(input, count);
  }
  std::filesystem::remove_all(folder);
  return 0;
}

}  // namespace
}  // namespace quillmere

int main() { return quillmere::Run(); }
