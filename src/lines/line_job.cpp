#include "lines/line_job.h"

#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"

namespace quillmere {

void convert2(PolylineModel& model, const std::string& input_name, const std::string& output_name,
              double tolerance, MessageSink& messages) {
  // A file that cannot be read leaves an empty model; the writer then
  // reports the input again and leaves an empty output.
  LoadDxf2(model, input_name, messages);
  ChainLines(model, tolerance);
  // Each record has the style of the version read before its LINE; a file
  // with a second $ACADVER can hold both.
  AppendVertexCounts(model);
  savedxf2(model, input_name, output_name, messages);
}

}  // namespace quillmere
