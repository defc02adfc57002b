#ifndef _WIN32

#include "platform/large_blocks.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace quillmere {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void* AllocateLargeBlock(std::size_t bytes, bool huge_pages) {
  if (!huge_pages || bytes < kHugePage || bytes % kHugePage != 0) {
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
  }
  // Huge pages need an address on a 2 MB boundary: map one page more and
  // give back what lies before and behind the aligned block.
  const std::size_t mapped = bytes + kHugePage;
  void* region = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (region == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(region);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) ::munmap(region, aligned - start);
  const std::size_t behind = start + mapped - (aligned + bytes);
  if (behind > 0) ::munmap(reinterpret_cast<void*>(aligned + bytes), behind);
  void* const block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  ::madvise(block, bytes, MADV_HUGEPAGE);  // only advice: without it, normal pages
#endif
  return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) {
  if (block != nullptr) ::munmap(block, bytes);
}

void ReleaseLargeBlockTail(void* block, std::size_t used, std::size_t bytes) {
  static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t kept = (used + page - 1) / page * page;
  if (block != nullptr && kept < bytes) {
    ::madvise(static_cast<char*>(block) + kept, bytes - kept, MADV_DONTNEED);
  }
}

}  // namespace quillmere

#endif
