#include "arcs/arc_job.h"

#include "i18n/utf.h"

namespace quillmere {

bool ArcFields::ArcThroughPoints(double, double, double, double, double, double) { return false; }

void Convert(PolylineModel&, ArcFields&, const ArcSearchSettings&, const std::string&,
             const std::string&, MessageSink& messages) {
  messages.ShowError(u"convert1: this job is not built yet.");
}

}  // namespace quillmere
