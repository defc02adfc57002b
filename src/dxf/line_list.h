#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmere {

// An ordered list of DXF text lines, kept exactly as read.
//
// The lines are stored back to back in the form in which every writer emits
// them: each line followed by carriage return and line feed. Writing a whole
// list is then a single copy, and a list costs one allocation however many
// lines it holds. A stored line never contains a line feed (lines are split
// at line feeds), so the boundaries stay unambiguous even for lines that end
// in a carriage return of their own.
//
// Lists normally hold whole group pairs (code line, value line). A file that
// ends right after a code line leaves a final pair without a value line; such
// a list has an odd number of lines and is written back without inventing one.
class LineList {
 public:
  LineList() = default;

  void Add(std::string_view line);
  void AddPair(std::string_view code, std::string_view value);
  void Append(const LineList& other);
  void Clear();

  std::size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }

  // The lines with their CR LF endings, ready to be written.
  std::string_view Text() const { return text_; }

  // Line `index` without its line end. Walks the list: use a Cursor to visit
  // all lines.
  std::string_view Line(std::size_t index) const;

  // Replaces line `index` by `line`.
  void ReplaceLine(std::size_t index, std::string_view line);

  // Forward walk over the lines.
  class Cursor {
   public:
    explicit Cursor(const LineList& list) : text_(list.text_) {}
    // Yields the next line without its line end; false when none is left.
    bool Next(std::string_view& line);

   private:
    std::string_view text_;
    std::size_t pos_ = 0;
  };

  friend bool operator==(const LineList& a, const LineList& b) {
    return a.count_ == b.count_ && a.text_ == b.text_;
  }

 private:
  std::string text_;
  std::size_t count_ = 0;
};

}  // namespace quillmere
