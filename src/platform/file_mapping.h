#pragma once

#include <cstddef>
#include <cstdint>

namespace quillmere {

// A whole file seen as bytes in memory without reading it: the system
// brings its pages in from its own cache when they are first touched, so a
// large drawing costs no copy, and what is looked at here and there costs
// only its pages.

// Maps `size` bytes of the file open as `fd` for reading; null when the
// system cannot map it (a pipe, a device, a file of the system, or a
// platform without mappings), which the caller then reads instead.
const char* MapFileForReading(int fd, std::int64_t size);

// Gives the mapping back.
void UnmapFile(const char* data, std::int64_t size);

// A mapped file that grows shorter while it is mapped, or whose storage
// fails under a read, makes the touch of a missing page a bus error. A
// watched mapping takes that touch instead: from the page on, the mapping
// reads as zero bytes and is marked as cut short, so that the job that reads
// it fails with a message rather than the program ending.
//
// Returns the watch, or -1 when the mapping cannot be watched (too many at
// once); the caller then reads the file instead of mapping it.
int WatchMapping(const char* data, std::int64_t size);
// Whether a touch of the watched mapping found a page missing.
bool MappingCutShort(int watch);
void EndWatch(int watch);

}  // namespace quillmere
