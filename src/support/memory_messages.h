#pragma once

#include "support/message_sink.h"

namespace quillmere {

// Where the record arrays report memory exhaustion. The arrays sit far below
// any window or job, so they reach the user through one process-wide sink
// that the program sets at start. Until then, and after setting null, the
// messages are printed on stderr.
void SetMemoryMessageSink(MessageSink* sink);
MessageSink& MemoryMessageSink();

}  // namespace quillmere
