#pragma once

namespace quillmere {

// Whether the standard error stream goes to a terminal, where a progress
// line may be drawn and erased again.
bool StandardErrorIsTerminal();

}  // namespace quillmere
