#include "app/presenter/job_phase_text.h"

#include "i18n/translations.h"

namespace quillmere {

std::u16string PhaseText(JobPhase phase) {
  return TranslateText(kPhaseNames[static_cast<int>(phase)]);
}

std::u16string CancelledText() { return TranslateText(kCancelledText); }

}  // namespace quillmere
