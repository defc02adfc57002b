#include "app/catalogue_notices.h"

#include "i18n/catalogue.h"

namespace quillmere {

void CatalogueNotices::Notify(Notice notice, const std::string& file_name) {
  switch (notice) {
    case Notice::kCannotOpenInput:
      messages_->ShowError(FileMessage(kTextCannotOpen, file_name));
      return;
    case Notice::kCannotCreateOutput:
      messages_->ShowError(FileMessage(kTextCannotCreate, file_name));
      return;
    case Notice::kCannotReopenInput:
      messages_->ShowError(FileMessage(kTextCannotReopen, file_name));
      return;
    case Notice::kNoPolylines:
      messages_->ShowInformation(CatalogueText(kTextNoPolylinesTitle),
                                 CatalogueText(kTextNoPolylines));
      return;
  }
}

}  // namespace quillmere
