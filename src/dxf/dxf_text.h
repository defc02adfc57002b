#pragma once

#include <string_view>

#include "support/trimmed.h"

namespace quillmere {

// The DXF text conventions shared by every reader and writer. Lines are
// compared trimmed (support/trimmed.h).

// The next line of `text` from `pos`, without its line end (LF or CR LF);
// moves `pos` behind it. False when no line is left. The last line of a
// piece of text may lack its line feed: `ended` tells whether it had one.
inline bool NextLine(std::string_view text, std::size_t& pos, std::string_view& line,
                     bool* ended = nullptr) {
  if (pos >= text.size()) return false;
  const std::size_t lf = text.find('\n', pos);
  const bool has_lf = lf != std::string_view::npos;
  std::size_t end = has_lf ? lf : text.size();
  if (has_lf && end > pos && text[end - 1] == '\r') --end;
  line = text.substr(pos, end - pos);
  pos = has_lf ? lf + 1 : text.size();
  if (ended != nullptr) *ended = has_lf;
  return true;
}

// Case-sensitive comparison of the trimmed line with a literal.
inline bool LineIs(std::string_view line, std::string_view literal) {
  return Trimmed(line) == literal;
}

// Whether a reader or writer is inside the ENTITIES section. Only there are
// entities recognised, so polylines and lines inside block definitions are
// copied unchanged.
class SectionState {
 public:
  void Apply(std::string_view code, std::string_view value) {
    const std::string_view c = Trimmed(code);
    if (c == "0") {
      const std::string_view v = Trimmed(value);
      if (v == "SECTION" || v == "ENDSEC") inside_entities_ = false;
    } else if (c == "2") {
      const std::string_view v = Trimmed(value);
      if (v == "ENTITIES") inside_entities_ = true;
      if (v == "OBJECTS") objects_seen_ = true;
    }
  }
  bool InsideEntities() const { return inside_entities_; }
  // Whether an OBJECTS section began so far: only a drawing with one has
  // objects that own entities' data or point at entities.
  bool ObjectsSeen() const { return objects_seen_; }

 private:
  bool inside_entities_ = false;
  bool objects_seen_ = false;
};

}  // namespace quillmere
