#include "dxf/polyline_reader.h"

#include <algorithm>
#include <exception>
#include <stop_token>
#include <thread>

#include "dxf/drawing_scan.h"
#include "dxf/dxf_text.h"
#include "dxf/pair_stream.h"

namespace quillmere {

namespace {

// Below this size one thread reads the whole file.
constexpr std::int64_t kSmallestSplitFile = std::int64_t{16} << 20;
// How far from the middle the second half may start.
constexpr std::int64_t kSplitSearch = std::int64_t{4} << 20;

// Where a second reader may start: a line "0" followed by a line
// POLYLINE or LWPOLYLINE somewhere behind the middle of the file; -1 when
// there is none near it. Only a guess: whether the "0" is a code line, and
// whether it lies in the ENTITIES section, is known once the first reader
// gets there.
std::int64_t SplitGuess(const JobInput& input) {
  if (input.Size() < kSmallestSplitFile) return -1;
  // Only whole lines count: the search starts behind the first line feed.
  const std::string_view bytes = input.Bytes();
  const std::size_t first_lf = bytes.find('\n', static_cast<std::size_t>(input.Size() / 2));
  if (first_lf == std::string_view::npos) return -1;
  InputLines lines(input, static_cast<std::int64_t>(first_lf) + 1,
                   std::min(input.Size(), input.Size() / 2 + kSplitSearch));
  lines.Stream();
  bool previous_is_zero = false;
  std::int64_t previous_start = 0;
  std::int64_t start = lines.Offset();
  for (std::string_view line; lines.Next(line) && lines.Ending() != LineEnd::kNone;
       start = lines.Offset()) {
    const std::string_view name = Trimmed(line);
    if ((name == "POLYLINE" || name == "LWPOLYLINE") && previous_is_zero) return previous_start;
    previous_is_zero = name == "0";
    previous_start = start;
  }
  return -1;
}

// Stops the second reader when the first gives up on it.
class StopWhenRequested : public JobObserver {
 public:
  explicit StopWhenRequested(std::stop_token token) : token_(std::move(token)) {}
  void Progress(JobPhase, std::int64_t, std::int64_t) override {}
  bool StopRequested() const override { return token_.stop_requested(); }

 private:
  std::stop_token token_;
};

// The second half of a split reading: the polylines from `from` on, read as
// if the file started there at the top level of the ENTITIES section.
struct SecondHalf {
  PolylineModel model;
  bool final_gap_in_crlf = true;
  bool complete = false;  // read to the end of the file
  std::exception_ptr error;

  void Read(const JobInput& input, std::int64_t from, std::stop_token token) {
    try {
      StopWhenRequested stop(std::move(token));
      PairStream pairs(input, from, ProgressTap(&stop, JobPhase::kReading, 0));
      DrawingScan scan(model, true);
      std::int64_t read = from;
      for (PairView pair; pairs.ReadPairView(pair); read = pair.end) scan.Take(pair);
      final_gap_in_crlf = scan.Finish(read);
      model.has_objects = scan.ObjectsSeen();
      complete = true;
    } catch (...) {
      error = std::current_exception();
    }
  }
};

// Puts the polylines of `second` behind those of `model`; `gap_in_crlf`
// tells the lines between the last polyline of `model` and the first of
// `second`.
void Join(PolylineModel& model, SecondHalf& second, bool gap_in_crlf) {
  const std::int64_t vertex_shift = model.vertices.Adopt(second.model.vertices);
  const auto set_aside_shift = static_cast<std::uint32_t>(model.set_aside.size());
  bool first = true;
  for (PolylineRecord& polyline : second.model.polylines) {
    polyline.first_vertex += vertex_shift;
    polyline.set_aside_first += set_aside_shift;
    if (first) polyline.gap_in_crlf = polyline.gap_in_crlf && gap_in_crlf;
    first = false;
    model.polylines.push_back(polyline);
  }
  second.model.polylines = {};
  for (ArcStart start : second.model.arc_starts) {
    start.vertex += vertex_shift;
    model.arc_starts.push_back(start);
  }
  second.model.arc_starts = {};
  model.set_aside.insert(model.set_aside.end(), second.model.set_aside.begin(),
                         second.model.set_aside.end());
  model.final_gap_in_crlf = second.final_gap_in_crlf;
  model.has_objects = model.has_objects || second.model.has_objects;
}

}  // namespace

Status ReadPolylines(PolylineModel& model, const JobInput& input, JobObserver* observer,
                     PairWatch* watch, bool ends_only, PolylineVisitors visitors) {
  model = PolylineModel{};
  model.ends_only = ends_only;
  model.visitor = visitors.first;
  const ProgressTap progress(observer, JobPhase::kReading, input.Size());
  PairStream pairs(input, 0, progress);
  // A large file is read in two halves at once. The second starts at a
  // polyline entity near the middle; it counts when the first half, read
  // up to there, finds a pair starting exactly there at the top level of the
  // ENTITIES section. Otherwise the first reader goes on to the end. A
  // watch sees the pairs in file order, from one reader.
  const bool halves_visited = visitors.first == nullptr || visitors.second != nullptr;
  const std::int64_t split = watch == nullptr && halves_visited ? SplitGuess(input) : -1;
  SecondHalf second;
  second.model.ends_only = ends_only;
  second.model.visitor = visitors.second;
  if (input.Size() >= kSmallestSplitFile && !ends_only) {
    model.vertices.ExpectMany();
    second.model.vertices.ExpectMany();
  }
  std::jthread helper;
  if (split >= 0) {
    helper = std::jthread([&second, &input, split](std::stop_token token) {
      second.Read(input, split, std::move(token));
    });
  }
  DrawingScan scan(model, false, watch);
  std::int64_t read = 0;
  bool joined = false;
  for (PairView pair; pairs.ReadPairView(pair); read = pair.end) {
    if (helper.joinable() && pair.offset >= split) {
      const bool meets = pair.offset == split && scan.StartsPolylinesHere();
      if (!meets) helper.request_stop();
      helper.join();
      if (meets && second.error) std::rethrow_exception(second.error);
      if (meets && second.complete) {
        Join(model, second, scan.Finish(split));
        model.has_objects = model.has_objects || scan.ObjectsSeen();
        progress.Report(input.Size());
        joined = true;
        break;
      }
    }
    scan.Take(pair);
  }
  if (!joined) {
    model.final_gap_in_crlf = scan.Finish(read);
    model.has_objects = scan.ObjectsSeen();
  }
  model.visitor = nullptr;
  model.passing_x = {};
  model.passing_y = {};
  if (const Status intact = input.Intact(); !intact) {
    // A model cut off at the error would let the writer copy the rest of
    // the file unprocessed.
    model = PolylineModel{};
    return intact;
  }
  return Done{};
}

Status ReadPolylines(PolylineModel& model, const std::string& file_name, JobObserver* observer) {
  model = PolylineModel{};
  const Result<JobInput> input = JobInput::Open(file_name);
  RETURN_IF_FAILED(input);
  return ReadPolylines(model, *input, observer);
}

Status ReadPolylinesToWorkOn(PolylineModel& model, const JobInput& input, JobObserver* observer,
                             bool ends_only, PolylineVisitors visitors) {
  RETURN_IF_FAILED(ReadPolylines(model, input, observer, nullptr, ends_only, visitors));
  if (model.PolylineCount() == 0) return Failure{Notice::kNoPolylines, {}};
  return Done{};
}

}  // namespace quillmere
