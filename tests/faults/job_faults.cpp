#include "faults/job_faults.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/job_settings.h"
#include "arcs/arc_job.h"
#include "support/utf.h"
#include "join/join_job.h"
#include "lines/line_job.h"
#include "arcs/arc_search.h"
#include "dxf/polyline_reader.h"
#include "join/polyline_joining.h"
#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "named_input.h"

namespace quillmere::faults {

std::string InEntities(const std::vector<std::string>& body) {
  std::vector<std::string> lines = {"0", "SECTION", "2", "ENTITIES"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), {"0", "ENDSEC", "0", "EOF"});
  return testing::Lf(lines);
}

std::vector<Job> AllJobs() {
  const JobSettings start;
  const ArcSearchSettings arc_settings{start.deviation.value(), start.arc_tests.IntValue(),
                                       start.line_tests.IntValue()};
  const double tolerance = start.join_tolerance.value();

  // Nine vertices on a quarter circle of radius 10: one arc.
  std::vector<std::string> quarter = {"0", "LWPOLYLINE", "90", "9"};
  const char* const points[9][2] = {
      {"10", "0"},       {"9.807852804", "1.950903220"}, {"9.238795325", "3.826834324"},
      {"8.314696123", "5.555702330"}, {"7.071067812", "7.071067812"},
      {"5.555702330", "8.314696123"}, {"3.826834324", "9.238795325"},
      {"1.950903220", "9.807852804"}, {"0", "10"}};
  for (const auto& point : points) quarter.insert(quarter.end(), {"10", point[0], "20", point[1]});

  return {
      {"convert1",
       [arc_settings](const std::string& in, const std::string& out, NoticeSink& notices) {
         RunArcJob(arc_settings, in, out, notices);
       },
       [arc_settings](const std::string& in, const std::string& out, NoticeSink& notices,
                      JobObserver& observer) { RunArcJob(arc_settings, in, out, notices, &observer); },
       [arc_settings](const std::string& in, NoticeSink& notices) {
         PolylineModel model;
         Reported(ReadPolylines(model, in), notices);
         FindArcs(model, arc_settings);
         return testing::WithArcMarks(testing::PlainPolylinesOf(model), model);
       },
       InEntities(quarter), true},
      {"convert2",
       [tolerance](const std::string& in, const std::string& out, NoticeSink& notices) {
         RunLineJob(tolerance, in, out, notices);
       },
       [tolerance](const std::string& in, const std::string& out, NoticeSink& notices,
                   JobObserver& observer) { RunLineJob(tolerance, in, out, notices, &observer); },
       [tolerance](const std::string& in, NoticeSink& notices) {
         LineModel model;
         Reported(ReadLines(model, in), notices);
         ChainLines(model, tolerance);
         std::vector<testing::PlainPolyline> polylines;
         for (const LineRecord& record : model.records) {
           testing::PlainPolyline& polyline = polylines.emplace_back();
           polyline.kind = record.kind;
           polyline.dropped = record.dropped;
           for (const LineVertex& vertex : record.vertices) {
             polyline.vertices.push_back({.x = vertex.x, .y = vertex.y, .z = vertex.z});
           }
         }
         return polylines;
       },
       InEntities({"0", "LINE", "5", "2A", "8", "0", "10", "0", "20", "0", "11", "1", "21", "0",
                   "0", "LINE", "5", "2B", "8", "0", "10", "1", "20", "0", "11", "2", "21", "0"}),
       false},
      {"convert3",
       [tolerance](const std::string& in, const std::string& out, NoticeSink& notices) {
         RunJoinJob(tolerance, in, out, notices);
       },
       [tolerance](const std::string& in, const std::string& out, NoticeSink& notices,
                   JobObserver& observer) { RunJoinJob(tolerance, in, out, notices, &observer); },
       [tolerance](const std::string& in, NoticeSink& notices) {
         PolylineModel model;
         Reported(ReadPolylines(model, in), notices);
         JoinPolylines(model, tolerance);
         return testing::WithChains(testing::PlainPolylinesOf(model), model);
       },
       InEntities({"0", "LWPOLYLINE", "90", "2", "10", "1", "20", "0", "10", "2", "20", "0",
                   "0", "LWPOLYLINE", "90", "2", "10", "0", "20", "0", "10", "1", "20", "0"}),
       true},
  };
}

std::string RunWithFileSizeLimit(const Job& job, const std::string& input,
                                 const std::string& output, long file_size_limit) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return "child failed";
  const pid_t child = ::fork();
  if (child < 0) return "child failed";
  if (child == 0) {
    ::close(pipe_ends[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(file_size_limit), static_cast<rlim_t>(file_size_limit)};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    testing::RecordingMessages messages;
    job.run(input, output, messages);
    std::string shown;
    for (const testing::ShownMessage& message : messages.shown) shown += message.Utf8Text() + "\n";
    const bool sent = ::write(pipe_ends[1], shown.data(), shown.size()) ==
                      static_cast<ssize_t>(shown.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(pipe_ends[1]);
  std::string shown;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, got);
  ::close(pipe_ends[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return "child failed";
  }
  return shown;
}

}  // namespace quillmere::faults
