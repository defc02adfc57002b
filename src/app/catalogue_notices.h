#pragma once

#include <string>

#include "support/message_sink.h"
#include "support/notices.h"

namespace quillmere {

// Shows the core's failures as the program's messages: the file failures as
// error boxes with their catalogue text, one blank and the file name (6 for
// an input that cannot be opened, 10 for an output that cannot be created,
// 11 for an input that cannot be opened again, the further texts for the
// rest), an output that cannot be made and a read that broke off followed by
// the system's reason in brackets when it gave one; a
// drawing without polylines as the information box with caption text 16 and
// text 15. A stopped job shows nothing.
class CatalogueNotices : public NoticeSink {
 public:
  explicit CatalogueNotices(MessageSink& messages) : messages_(&messages) {}

  void Notify(const Failure& failure) override;

  void set_messages(MessageSink& messages) { messages_ = &messages; }

 private:
  MessageSink* messages_;
};

}  // namespace quillmere
