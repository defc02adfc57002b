#include "dxf/drawing_edits.h"

#include <optional>

#include "dxf/handle_text.h"

namespace quillmere {

namespace {

bool Holds(const std::vector<std::uint64_t>& sorted, std::string_view value) {
  const std::optional<std::uint64_t> key = HandleKey(value);
  return key && std::binary_search(sorted.begin(), sorted.end(), *key);
}

}  // namespace

DrawingEdits::DrawingEdits(std::vector<PairEdit> edits, std::vector<std::uint64_t> gone,
                           std::vector<std::uint64_t> reactors_gone)
    : edits_(std::move(edits)), gone_(std::move(gone)), reactors_gone_(std::move(reactors_gone)) {
  std::sort(gone_.begin(), gone_.end());
  std::sort(reactors_gone_.begin(), reactors_gone_.end());
}

std::size_t DrawingEdits::FirstEndingAfter(std::int64_t offset) const {
  const auto first =
      std::upper_bound(edits_.begin(), edits_.end(), offset,
                       [](std::int64_t at, const PairEdit& edit) { return at < edit.end; });
  return static_cast<std::size_t>(first - edits_.begin());
}

bool DrawingEdits::DropsReactor(std::string_view value) const {
  return Holds(reactors_gone_, value);
}

bool DrawingEdits::IsGone(std::string_view value) const { return Holds(gone_, value); }

bool IsReferenceCode(std::string_view code) {
  const std::string_view digits = Trimmed(code);
  return digits.size() == 3 && digits[0] == '3' && digits[1] >= '3' && digits[1] <= '6' &&
         digits[2] >= '0' && digits[2] <= '9';
}

}  // namespace quillmere
