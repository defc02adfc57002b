#ifdef _WIN32

#include "platform/file_mapping.h"

namespace quillmere {

// A mapped file on Windows cannot be replaced while it is mapped, and the
// output may take the input's place: inputs are read into memory there.
const char* MapFileForReading(int, std::int64_t) { return nullptr; }
void UnmapFile(const char*, std::int64_t) {}
int WatchMapping(const char*, std::int64_t) { return -1; }
bool MappingCutShort(int) { return false; }
void EndWatch(int) {}

}  // namespace quillmere

#endif
