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

void ConversionJobs::LoadDxf(const std::string& file_name) {
  quillmere::LoadDxf(*this, file_name, *messages_);
}

void ConversionJobs::savedxf(const std::string& input_name, const std::string& output_name) {
  quillmere::savedxf(*this, input_name, output_name, *messages_);
}

void ConversionJobs::LoadDxf2(const std::string& file_name) {
  quillmere::LoadDxf2(*this, file_name, *messages_);
}

void ConversionJobs::savedxf2(const std::string& input_name, const std::string& output_name) {
  quillmere::savedxf2(*this, input_name, output_name, *messages_);
}

void ConversionJobs::savedxf4(const std::string& input_name, const std::string& output_name) {
  quillmere::savedxf4(*this, input_name, output_name, *messages_);
}

void ConversionJobs::Convert(const std::string& input_name, const std::string& output_name) {
  const ArcSearchSettings arc_settings{settings.AbweichEd.value(), settings.TestEd.IntValue(),
                                       settings.Test2Ed.IntValue()};
  quillmere::Convert(*this, *this, arc_settings, input_name, output_name, *messages_);
}

void ConversionJobs::convert2(const std::string& input_name, const std::string& output_name) {
  quillmere::convert2(*this, input_name, output_name, settings.AbweichLinEd.value(), *messages_);
}

void ConversionJobs::convert3(const std::string& input_name, const std::string& output_name) {
  quillmere::convert3(*this, input_name, output_name, settings.AbweichLinEd.value(), *messages_);
}

void ConversionJobs::RunJob(JobMode mode, const std::string& input_name,
                            const std::string& output_name) {
  switch (mode) {
    case JobMode::kConvert1:
      Convert(input_name, output_name);
      break;
    case JobMode::kConvert2:
      convert2(input_name, output_name);
      break;
    case JobMode::kConvert3:
      convert3(input_name, output_name);
      break;
  }
}

}  // namespace quillmere
