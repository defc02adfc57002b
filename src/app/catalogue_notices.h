#pragma once

#include <string>

#include "support/message_sink.h"
#include "support/notices.h"

namespace quillmere {

// Shows the core's notices as the program's messages: the file notices as
// error boxes with their catalogue text, one blank and the file name (6 for
// an input that cannot be opened, 10 for an output that cannot be created,
// 11 for an input that cannot be read again), a drawing without polylines
// as the information box with caption text 16 and text 15.
class CatalogueNotices : public NoticeSink {
 public:
  explicit CatalogueNotices(MessageSink& messages) : messages_(&messages) {}

  void Notify(Notice notice, const std::string& file_name) override;

  void set_messages(MessageSink& messages) { messages_ = &messages; }

 private:
  MessageSink* messages_;
};

}  // namespace quillmere
