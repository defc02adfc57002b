#pragma once

#include <string>

#include "app/command_line.h"
#include "app/job_settings.h"
#include "arcs/arc_through_points.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// The conversion state of the program and its jobs: the polyline model, the
// result of the last circle computation, the job settings, and the three
// jobs with their readers and writers. The desktop program's main window
// derives from it; the command-line tool and the tests use it directly.
class ConversionJobs : public PolylineModel, public ArcFields {
 public:
  explicit ConversionJobs(MessageSink& messages) : messages_(&messages) {}

  JobSettings settings;

  // The polyline reader and the arc writer.
  void LoadDxf(const std::string& file_name);
  void savedxf(const std::string& input_name, const std::string& output_name);

  // The line reader and the writer of the line job.
  void LoadDxf2(const std::string& file_name);
  void savedxf2(const std::string& input_name, const std::string& output_name);

  // The writer of the join job.
  void savedxf4(const std::string& input_name, const std::string& output_name);

  // The three jobs; each reads its settings when it starts.
  void Convert(const std::string& input_name, const std::string& output_name);
  void convert2(const std::string& input_name, const std::string& output_name);
  void convert3(const std::string& input_name, const std::string& output_name);

  // Runs the job of a command-line mode.
  void RunJob(JobMode mode, const std::string& input_name, const std::string& output_name);

  MessageSink& messages() { return *messages_; }
  void set_messages(MessageSink& messages) { messages_ = &messages; }

 private:
  MessageSink* messages_;
};

}  // namespace quillmere
