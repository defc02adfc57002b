#include "join/join_job.h"

namespace quillmere {

void convert3(PolylineModel&, const std::string&, const std::string&, double,
              MessageSink& messages) {
  messages.ShowError(u"convert3: this job is not built yet.");
}

}  // namespace quillmere
