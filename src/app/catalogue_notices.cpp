#include "app/catalogue_notices.h"

#include <system_error>

#include "i18n/catalogue.h"
#include "support/utf.h"

namespace quillmere {

namespace {

// The message of a failure about a file, without the system's reason.
std::u16string FileText(const Failure& failure) {
  switch (failure.notice) {
    case Notice::kCannotOpenInput: return FileMessage(kTextCannotOpen, failure.file_name);
    case Notice::kCannotCreateOutput: return FileMessage(kTextCannotCreate, failure.file_name);
    case Notice::kCannotReopenInput: return FileMessage(kTextCannotReopen, failure.file_name);
    case Notice::kEmptyInput: return FileMessage(FurtherText::kEmptyInput, failure.file_name);
    case Notice::kBinaryDxf: return FileMessage(FurtherText::kBinaryDxf, failure.file_name);
    case Notice::kNotTextDxf: return FileMessage(FurtherText::kNotTextDxf, failure.file_name);
    case Notice::kCannotReadInput:
      return FileMessage(FurtherText::kCannotReadInput, failure.file_name);
    case Notice::kInputChanged: return FileMessage(FurtherText::kInputChanged, failure.file_name);
    case Notice::kOutOfMemory: return FileMessage(FurtherText::kOutOfMemory, failure.file_name);
    case Notice::kNoPolylines:
    case Notice::kStopped: break;
  }
  return {};
}

}  // namespace

void CatalogueNotices::Notify(const Failure& failure) {
  if (failure.notice == Notice::kStopped) return;
  if (failure.notice == Notice::kNoPolylines) {
    messages_->ShowInformation(CatalogueText(kTextNoPolylinesTitle), CatalogueText(kTextNoPolylines));
    return;
  }
  std::u16string text = FileText(failure);
  // The system's own words say why an output could not be made (no such
  // folder, no permission, disk full) or a read broke off. An input that
  // cannot be opened keeps its text as it always was.
  const bool with_reason =
      failure.notice == Notice::kCannotCreateOutput || failure.notice == Notice::kCannotReadInput;
  if (with_reason && failure.system_error != 0) {
    text += u" (";
    text += Utf8ToUtf16(std::generic_category().message(failure.system_error));
    text += u")";
  }
  messages_->ShowError(text);
}

}  // namespace quillmere
