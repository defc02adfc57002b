#include "lines/line_job.h"

namespace quillmere {

void convert2(PolylineModel&, const std::string&, const std::string&, double,
              MessageSink& messages) {
  messages.ShowError(u"convert2: this job is not built yet.");
}

}  // namespace quillmere
