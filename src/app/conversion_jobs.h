#pragma once

#include <string>

#include "app/command_line.h"
#include "app/job_settings.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// The conversion state of the program and its jobs: the polyline model, the
// result of the last circle computation, the job settings, and the three
// jobs with their readers and writers. The desktop program's main window
// derives from it; the command-line tool and the tests use it directly.
class JobRunner : public PolylineModel {
 public:
  explicit JobRunner(MessageSink& messages) : messages_(&messages) {}

  JobSettings settings;

  // The polyline reader and the arc writer.
  void ReadPolylines(const std::string& file_name);
  void WriteArcResult(const std::string& input_name, const std::string& output_name);

  // The line reader and the writer of the line job.
  void ReadLines(const std::string& file_name);
  void WriteLineResult(const std::string& input_name, const std::string& output_name);

  // The writer of the join job.
  void WriteJoinResult(const std::string& input_name, const std::string& output_name);

  // The three jobs; each reads its settings when it starts.
  void RunArcJob(const std::string& input_name, const std::string& output_name);
  void RunLineJob(const std::string& input_name, const std::string& output_name);
  void RunJoinJob(const std::string& input_name, const std::string& output_name);

  // Runs the job of a command-line mode.
  void RunJob(JobMode mode, const std::string& input_name, const std::string& output_name);

  MessageSink& messages() { return *messages_; }
  void set_messages(MessageSink& messages) { messages_ = &messages; }

 private:
  MessageSink* messages_;
};

}  // namespace quillmere
