// Reading and writing at the speed of the disk, and the memory each job
// needs: a generated drawing of 4,000 LWPOLYLINEs of 800 vertices (about
// 100 MB), once with LF and once with CR LF line ends.
//
// Each job runs in a child process of its own, so that its peak resident
// memory can be read when it ends; a plain byte copy by /bin/cp runs the
// same way, in turns with the job, and the join job at tolerance 0 (read and
// write, nothing joined) is timed against it: the median of the ratios of
// the pairs, so that a machine whose speed drifts still compares alike.
// Prints that ratio and the peak memory of every job as a multiple of the
// input's size.
//
// Then the same drawing with an OBJECTS section, every other polyline
// starting where the one before ends: the join job at 0.01 attaches half of
// them and reads the input once more to find what points at them.
//
// With --exact DRAWING (for instance one of scripts/big_drawing OUT 1000
// 800), the arc job with --exact on that drawing against cp the same way.
//
// Usage: roundtrip_bench [polylines [vertices]] [--exact DRAWING]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "arcs/arc_job.h"
#include "join/join_job.h"
#include "lines/line_job.h"
#include "support/notices.h"
#include "named_input.h"

namespace {

using Clock = std::chrono::steady_clock;

class CountingNotices : public quillmere::NoticeSink {
 public:
  void Notify(const quillmere::Failure&) override { ++count; }
  int count = 0;
};

// LWPOLYLINEs of `vertices` vertices each, wandering about the drawing with
// coordinates of six decimals, as CAD programs export them. With
// `joined_pairs` every other polyline starts where the one before ends, and
// the drawing has an OBJECTS section.
void WriteDrawing(const std::string& path, int polylines, int vertices, const char* line_end,
                  bool joined_pairs = false) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::perror(path.c_str());
    std::exit(2);
  }
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> step(-0.5, 0.5);
  std::uniform_real_distribution<double> place(0, 1000);
  double last_x = 0, last_y = 0;
  const auto line = [&](const char* text) { std::fprintf(file, "%s%s", text, line_end); };
  line("  0");
  line("SECTION");
  line("  2");
  line("ENTITIES");
  char number[64];
  for (int p = 0; p < polylines; ++p) {
    std::snprintf(number, sizeof number, "%X", 0x100 + p);
    for (const char* text : {"  0", "LWPOLYLINE", "  5", static_cast<const char*>(number), "100",
                             "AcDbEntity", "  8", "0", "100", "AcDbPolyline"}) {
      line(text);
    }
    line(" 90");
    std::snprintf(number, sizeof number, "%d", vertices);
    line(number);
    line(" 70");
    line("     0");
    double x = place(random), y = place(random);
    const bool attached = joined_pairs && p % 2 == 1;
    if (attached) {
      x = last_x;
      y = last_y;
    }
    for (int v = 0; v < vertices; ++v) {
      if (!attached || v > 0) {
        x += step(random);
        y += step(random);
      }
      std::fprintf(file, " 10%s%.6f%s 20%s%.6f%s", line_end, x, line_end, line_end, y, line_end);
    }
    last_x = x;
    last_y = y;
  }
  line("  0");
  line("ENDSEC");
  if (joined_pairs) {
    for (const char* text : {"  0", "SECTION", "  2", "OBJECTS", "  0", "DICTIONARY", "  5", "C",
                             "330", "0", "100", "AcDbDictionary", "  0", "ENDSEC"}) {
      line(text);
    }
  }
  line("  0");
  line("EOF");
  std::fclose(file);
}

// What a child process cost: its wall time and its peak resident memory.
struct ChildCost {
  double seconds = 0;
  double peak_bytes = 0;
  bool succeeded = false;
};

ChildCost Await(pid_t child, Clock::time_point start) {
  int status = 0;
  rusage usage{};
  ChildCost cost;
  if (::wait4(child, &status, 0, &usage) != child) return cost;
  cost.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  cost.peak_bytes = static_cast<double>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
  cost.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return cost;
}

// Runs `job` in a child process; it succeeds when it returns true.
ChildCost RunChild(const std::function<bool()>& job) {
  std::fflush(nullptr);
  const Clock::time_point start = Clock::now();
  const pid_t child = ::fork();
  if (child == 0) ::_exit(job() ? 0 : 1);
  return child < 0 ? ChildCost{} : Await(child, start);
}

ChildCost CopyWithCp(const std::string& from, const std::string& to) {
  std::fflush(nullptr);
  const Clock::time_point start = Clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl("/bin/cp", "cp", from.c_str(), to.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child < 0 ? ChildCost{} : Await(child, start);
}

using Job = std::function<bool(const std::string& input, const std::string& output)>;

bool ArcJob(const std::string& input, const std::string& output) {
  CountingNotices notices;
  return quillmere::RunArcJob({0.1, 100, 100}, input, output, notices).has_value();
}

bool LineJob(const std::string& input, const std::string& output) {
  CountingNotices notices;
  return quillmere::RunLineJob(0.01, input, output, notices).has_value();
}

Job JoinJob(double tolerance) {
  return [tolerance](const std::string& input, const std::string& output) {
    CountingNotices notices;
    return quillmere::RunJoinJob(tolerance, input, output, notices).has_value();
  };
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// `runs` pairs of cp and `job` on `input`, in turns so that both see the
// machine alike; prints the medians and the median of the pairs' ratios
// against `target`. Returns false when a run failed. Each replaces an
// output of its own, as a user running either again would: replacing the
// other's would charge one with freeing the other's file (the exact job,
// whose output is small, with the whole copy).
bool CompareWithCopy(const std::string& input, const std::string& output, int runs,
                     const char* label, const Job& job, double target) {
  std::vector<double> copies, jobs, ratios;
  bool all_succeeded = true;
  for (int run = 0; run < runs; ++run) {
    const ChildCost copied = CopyWithCp(input, output + ".copy");
    const ChildCost done = RunChild([&] { return job(input, output); });
    all_succeeded = all_succeeded && copied.succeeded && done.succeeded;
    copies.push_back(copied.seconds);
    jobs.push_back(done.seconds);
    ratios.push_back(done.seconds / copied.seconds);
  }
  std::printf("  byte copy (cp), median:      %.3f s\n", Median(copies));
  std::printf("  %-28s %.3f s\n", label, Median(jobs));
  std::printf("  ratio to the byte copy:      %.2f, median of %d pairs (target: at most %g)\n",
              Median(ratios), runs, target);
  return all_succeeded;
}

bool CompareJoinWithCopy(const std::string& input, const std::string& output, int runs,
                         double tolerance) {
  char label[64];
  std::snprintf(label, sizeof label, "convert3 at tolerance %g:", tolerance);
  return CompareWithCopy(input, output, runs, label, JoinJob(tolerance), 2);
}

bool ReportMemory(const std::string& input, const std::string& output) {
  const double size = static_cast<double>(std::filesystem::file_size(input));
  bool all_succeeded = true;
  const struct {
    const char* name;
    Job job;
  } jobs[] = {{"convert1 (0.1 100 100)", ArcJob},
              {"convert2 (0.01)", LineJob},
              {"convert3 (0.01)", JoinJob(0.01)},
              {"convert3 (0)", JoinJob(0)}};
  for (const auto& [name, job] : jobs) {
    const ChildCost cost = RunChild([&] { return job(input, output); });
    all_succeeded = all_succeeded && cost.succeeded;
    std::printf("  %-24s %.3f s, peak memory %6.1f MB = %.2f x the input (target: at most 1)%s\n",
                name, cost.seconds, cost.peak_bytes / 1e6, cost.peak_bytes / size,
                cost.succeeded ? "" : "  FAILED");
  }
  return all_succeeded;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> numbers;
  std::string exact_drawing;
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--exact") == 0 && k + 1 < argc) {
      exact_drawing = argv[++k];
    } else {
      numbers.push_back(argv[k]);
    }
  }
  const int polylines = numbers.size() > 0 ? std::atoi(numbers[0].c_str()) : 4000;
  const int vertices = numbers.size() > 1 ? std::atoi(numbers[1].c_str()) : 800;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quillmere-roundtrip-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string output = (folder / "output.dxf").string();
  bool all_succeeded = true;
  for (const auto& [name, line_end] : {std::pair{"LF", "\n"}, std::pair{"CR LF", "\r\n"}}) {
    const std::string input = (folder / "drawing.dxf").string();
    WriteDrawing(input, polylines, vertices, line_end);
    std::printf("%d LWPOLYLINEs of %d vertices, %s line ends: %.1f MB\n", polylines, vertices,
                name, static_cast<double>(std::filesystem::file_size(input)) / 1e6);
    all_succeeded = CompareJoinWithCopy(input, output, 7, 0) && all_succeeded;
    all_succeeded = ReportMemory(input, output) && all_succeeded;
  }
  {
    const std::string input = (folder / "drawing.dxf").string();
    WriteDrawing(input, polylines, vertices, "\n", true);
    std::printf("The same with objects, every other polyline attached to the one before, LF "
                "line ends: %.1f MB\n",
                static_cast<double>(std::filesystem::file_size(input)) / 1e6);
    all_succeeded = CompareJoinWithCopy(input, output, 7, 0.01) && all_succeeded;
  }
  if (!exact_drawing.empty()) {
    std::printf("The arc job with --exact on %s: %.1f MB\n", exact_drawing.c_str(),
                static_cast<double>(std::filesystem::file_size(exact_drawing)) / 1e6);
    const Job exact = [](const std::string& input, const std::string& output) {
      CountingNotices notices;
      return quillmere::RunArcJob({0.1, 100, 100, true}, input, output, notices).has_value();
    };
    all_succeeded = CompareWithCopy(exact_drawing, (folder / "exact.dxf").string(), 7,
                                    "convert1 --exact (0.1):", exact, 6) &&
                    all_succeeded;
  }
  std::filesystem::remove_all(folder);
  return all_succeeded ? 0 : 1;
}
