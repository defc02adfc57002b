#ifdef _WIN32

#include "platform/large_blocks.h"

#include <windows.h>

namespace quillmere {

// Large pages need a privilege users rarely hold; committed pages are
// backed on first touch as on other systems.
void* AllocateLargeBlock(std::size_t bytes, bool) {
  return ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeLargeBlock(void* block, std::size_t) {
  if (block != nullptr) ::VirtualFree(block, 0, MEM_RELEASE);
}

// Pages never touched are not in memory here: nothing to give back.
void ReleaseLargeBlockTail(void*, std::size_t, std::size_t) {}

}  // namespace quillmere

#endif
