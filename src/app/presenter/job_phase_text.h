#pragma once

#include <string>

#include "support/job_observer.h"

namespace quillmere {

// The name of a job phase as the window shows it while the job runs, in
// the current language (the German text passes through the lookup).
std::u16string PhaseText(JobPhase phase);

// The status line after the user stopped a job, in the current language:
// the job wrote nothing, so the output is as it was before.
std::u16string CancelledText();

inline constexpr const char16_t* kCancelledText =
    u"Abgebrochen: die Ausgabedatei ist unverändert.";

// The German names of the phases, in the order of JobPhase.
inline constexpr const char16_t* kPhaseNames[] = {u"Lesen", u"Kreisbögen suchen",
                                                  u"Verbinden", u"Schreiben"};

}  // namespace quillmere
