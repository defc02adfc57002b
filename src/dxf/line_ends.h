#pragma once

#include <string_view>

#include "support/output_file.h"

namespace quillmere {

// Writes whole lines of the input with the line end every writer gives
// them: a line ends at a line feed, optionally preceded by a carriage
// return, and is written as read plus CR LF. A last line without a line end
// gets one too. Lone carriage returns inside a line stay as they are.
class CrLfWriter {
 public:
  explicit CrLfWriter(OutputFile& output) : output_(output) {}

  // The next bytes of a range of whole lines. A range may come in pieces.
  void Write(std::string_view bytes);
  // The next bytes of a range whose lines all end with CR LF already.
  void WriteAsIs(std::string_view bytes);
  // Ends the range: a last line without a line end gets CR LF.
  void EndRange();

 private:
  OutputFile& output_;
  bool after_cr_ = false;   // the last byte of the range so far is CR
  bool line_open_ = false;  // the range so far does not end with LF
};

}  // namespace quillmere
