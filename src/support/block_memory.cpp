#include "support/block_memory.h"

#include <cstdlib>

namespace quillmere {

namespace {

void* ZeroedHeapBlock(std::size_t bytes) {
  // calloc of zero bytes may give null; a record array never asks for that,
  // but a block of one byte keeps the meaning of null to "out of memory".
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

ZeroedBlockSource current_source = &ZeroedHeapBlock;

}  // namespace

void* ObtainZeroedBlock(std::size_t bytes) { return current_source(bytes); }

void ReleaseBlock(void* block) { std::free(block); }

ZeroedBlockSource SetZeroedBlockSource(ZeroedBlockSource source) {
  const ZeroedBlockSource previous = current_source;
  current_source = source != nullptr ? source : &ZeroedHeapBlock;
  return previous;
}

}  // namespace quillmere
