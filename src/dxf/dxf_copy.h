#pragma once

#include <functional>
#include <optional>
#include <string>

#include "dxf/dxf_input.h"
#include "dxf/line_list.h"
#include "dxf/output_file.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// Appends a pair to a line list, without a value line when the input ended
// after the code line.
inline void AddPair(LineList& list, const DxfPair& pair) {
  list.Add(pair.code);
  if (pair.has_value) list.Add(pair.value);
}

inline void WritePair(OutputFile& output, const DxfPair& pair) {
  output.WriteLine(pair.code);
  if (pair.has_value) output.WriteLine(pair.value);
}

// The kind of polyline entity that a pair (0, POLYLINE) or (0, LWPOLYLINE)
// starts; nothing for any other pair.
std::optional<PolylineKind> PolylineStart(const DxfPair& pair);

// Reads on through the rest of a polyline entity whose starting pair has just
// been read, copying the pairs to `copy` when it is given. Returns true when
// the entity ended at a pair that belongs to what follows; that pair is then
// in `pair`, to be examined next. False when the input ended first.
bool PassPolylineEntity(DxfInput& input, DxfPair& pair, PolylineKind kind, OutputFile* copy);

// The two files of a writer. `Begin` creates the output and opens the input,
// reporting what fails as every writer does: catalogue text 10 with the
// output name when the output cannot be created (the input is then not
// opened), text 11 with the input name when the input cannot be opened (the
// output is then left empty). `Finish` puts the output in place and reports
// text 10 when it could not be written completely, text 11 when the input
// could not be read to its end; the previous output is then kept.
class DxfCopy {
 public:
  explicit DxfCopy(MessageSink& messages) : messages_(messages) {}

  bool Begin(const std::string& input_name, const std::string& output_name);
  bool Finish();

  DxfInput& input() { return input_; }
  OutputFile& output() { return output_; }

 private:
  MessageSink& messages_;
  std::string input_name_;
  std::string output_name_;
  DxfInput input_;
  OutputFile output_;
};

// Copies `input_name` to `output_name` pair by pair and replaces the n-th
// polyline entity of the ENTITIES section by what `write_block` writes for
// model entry n. Entities beyond `entries` are copied unchanged.
void CopyReplacingPolylines(const std::string& input_name, const std::string& output_name,
                            std::int32_t entries, MessageSink& messages,
                            const std::function<void(OutputFile&, std::int32_t)>& write_block);

}  // namespace quillmere
