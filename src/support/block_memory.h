#pragma once

#include <cstddef>

namespace quillmere {

// The source of the zero-filled blocks that record arrays keep their records
// in. The default takes them from the C heap; tests replace it to make an
// allocation fail on purpose.
using ZeroedBlockSource = void* (*)(std::size_t bytes);

// A zero-filled block of `bytes` bytes, or null when memory ran out (errno
// then holds the platform's error code). Give it back with ReleaseBlock.
void* ObtainZeroedBlock(std::size_t bytes);
void ReleaseBlock(void* block);

// Replaces the block source and returns the previous one; null restores the
// default. Blocks are always given back with ReleaseBlock (std::free), so a
// replacement must hand out blocks of the C heap.
ZeroedBlockSource SetZeroedBlockSource(ZeroedBlockSource source);

}  // namespace quillmere
