#pragma once

#include <string>

namespace quillmere {

// What the core has to tell the user. The layer that talks to the user turns
// each notice into its text and shows it; the core never formats a message
// itself.
enum class Notice {
  kCannotOpenInput,     // the input could not be opened for reading
  kCannotCreateOutput,  // the output could not be created or written completely
  kCannotReopenInput,   // the input could not be opened again to write the output
  kNoPolylines,         // the input holds no polyline to work on
  kEmptyInput,          // the input has no bytes at all
  kBinaryDxf,           // the input is a DXF drawing in the binary form
  kNotTextDxf,          // the input's first line is no group code: no DXF text drawing
  kCannotReadInput,     // reading the input failed part way, or it grew shorter
  kInputChanged,        // the input changed between reading and writing
  kOutOfMemory,         // memory ran out, or the drawing exceeds a size limit
  kStopped,             // the observer stopped the job; nothing to tell
};

// Why an operation gave no result: what to tell, about which file, and the
// system's own reason when it gave one.
struct Failure {
  Notice notice;
  std::string file_name;  // empty for kNoPolylines and kStopped
  int system_error = 0;   // the error number (errno) of the failing call; 0 for none
};

class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  // Returns once the user has seen the notice.
  virtual void Notify(const Failure& failure) = 0;
};

}  // namespace quillmere
