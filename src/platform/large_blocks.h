#pragma once

#include <cstddef>

namespace quillmere {

// Memory for large blocks that are filled from front to back once, such as
// the vertex columns of a big drawing; its pages are backed when first
// touched. With `huge_pages`, and where the system offers them, a block
// whose size is a multiple of 2 MB is backed by huge pages: filling it
// then costs one page fault per 2 MB instead of one per 4 kB, which on a
// virtual machine is a large part of the time spent reading a big drawing.
// Without, a small drawing never pays for more than it touches.
//
// Returns null when memory ran out. Give the block back with
// FreeLargeBlock, with the same size.
void* AllocateLargeBlock(std::size_t bytes, bool huge_pages);
void FreeLargeBlock(void* block, std::size_t bytes);

// Lets the pages of a block of `bytes` behind its first `used` bytes leave
// memory: nothing is written there any more. A huge page they share with
// the used part is split for it.
void ReleaseLargeBlockTail(void* block, std::size_t used, std::size_t bytes);

}  // namespace quillmere
