#pragma once

#include <string>

#include "support/job_observer.h"

namespace quillmere {

// The name of a job phase as the window shows it while the job runs, in
// the current language (the German text passes through the lookup).
std::u16string PhaseText(JobPhase phase);

// The German names of the phases, in the order of JobPhase.
inline constexpr const char16_t* kPhaseNames[] = {u"Lesen", u"Kreisbögen suchen",
                                                  u"Verbinden", u"Schreiben"};

}  // namespace quillmere
