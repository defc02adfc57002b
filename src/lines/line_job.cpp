#include "lines/line_job.h"

#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"

namespace quillmere {

void RunLineJob(double tolerance, const std::string& input_name, const std::string& output_name,
                NoticeSink& notices) {
  // A file that cannot be read leaves an empty model; the writer then
  // notifies the input again and leaves an empty output.
  PolylineModel model;
  ReadLines(model, input_name, notices);
  ChainLines(model, tolerance);
  // Each record has the style of the version read before its LINE; a file
  // with a second $ACADVER can hold both.
  AppendVertexCounts(model);
  WriteLineResult(model, input_name, output_name, notices);
}

}  // namespace quillmere
