#include "support/memory_messages.h"

#include <cstdio>
#include <string>

namespace quillmere {

namespace {

// The messages are plain ASCII English, so each code unit is one byte.
std::string Narrow(const std::u16string& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const char16_t unit : text) bytes.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return bytes;
}

class StderrMemoryMessages : public MessageSink {
 public:
  void ShowError(const std::u16string& text) override {
    std::fprintf(stderr, "%s\n", Narrow(text).c_str());
  }
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override {
    std::fprintf(stderr, "%s: %s\n", Narrow(caption).c_str(), Narrow(text).c_str());
  }
};

StderrMemoryMessages stderr_messages;
MessageSink* current_sink = &stderr_messages;

}  // namespace

void SetMemoryMessageSink(MessageSink* sink) {
  current_sink = sink != nullptr ? sink : &stderr_messages;
}

MessageSink& MemoryMessageSink() { return *current_sink; }

}  // namespace quillmere
