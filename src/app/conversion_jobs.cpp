#include "app/conversion_jobs.h"

#include "arcs/arc_job.h"
#include "dxf/arc_polyline_writer.h"
#include "dxf/polyline_reader.h"
#include "join/join_job.h"
#include "join/join_writer.h"
#include "lines/line_job.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"

namespace quillmere {

void JobRunner::ReadPolylines(const std::string& file_name) {
  quillmere::ReadPolylines(*this, file_name, *messages_);
}

void JobRunner::WriteArcResult(const std::string& input_name, const std::string& output_name) {
  quillmere::WriteArcResult(*this, input_name, output_name, *messages_);
}

void JobRunner::ReadLines(const std::string& file_name) {
  quillmere::ReadLines(*this, file_name, *messages_);
}

void JobRunner::WriteLineResult(const std::string& input_name, const std::string& output_name) {
  quillmere::WriteLineResult(*this, input_name, output_name, *messages_);
}

void JobRunner::WriteJoinResult(const std::string& input_name, const std::string& output_name) {
  quillmere::WriteJoinResult(*this, input_name, output_name, *messages_);
}

void JobRunner::RunArcJob(const std::string& input_name, const std::string& output_name) {
  const ArcSearchSettings arc_settings{settings.deviation.value(), settings.arc_tests.IntValue(),
                                       settings.line_tests.IntValue()};
  quillmere::RunArcJob(*this, arc_settings, input_name, output_name, *messages_);
}

void JobRunner::RunLineJob(const std::string& input_name, const std::string& output_name) {
  quillmere::RunLineJob(*this, input_name, output_name, settings.join_tolerance.value(), *messages_);
}

void JobRunner::RunJoinJob(const std::string& input_name, const std::string& output_name) {
  quillmere::RunJoinJob(*this, input_name, output_name, settings.join_tolerance.value(), *messages_);
}

void JobRunner::RunJob(JobMode mode, const std::string& input_name,
                            const std::string& output_name) {
  switch (mode) {
    case JobMode::kFindArcs:
      RunArcJob(input_name, output_name);
      break;
    case JobMode::kChainLines:
      RunLineJob(input_name, output_name);
      break;
    case JobMode::kJoinPolylines:
      RunJoinJob(input_name, output_name);
      break;
  }
}

}  // namespace quillmere
