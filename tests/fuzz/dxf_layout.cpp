#include "dxf_layout.h"

#include <set>
#include <string>

namespace quillmere::fuzzing {

std::vector<std::string_view> SplitDxfLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    const std::size_t lf = bytes.find('\n', begin);
    if (lf == std::string_view::npos) {
      lines.push_back(bytes.substr(begin));
      break;
    }
    std::size_t end = lf;
    if (end > begin && bytes[end - 1] == '\r') --end;
    lines.push_back(bytes.substr(begin, end - begin));
    begin = lf + 1;
  }
  return lines;
}

std::vector<Pair> PairsOf(const std::vector<std::string_view>& lines) {
  std::vector<Pair> pairs;
  for (std::size_t k = 0; k < lines.size(); k += 2) {
    if (k + 1 < lines.size()) {
      pairs.push_back({lines[k], lines[k + 1], true});
    } else {
      pairs.push_back({lines[k], {}, false});
    }
  }
  return pairs;
}

std::string_view Trim(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32) line.remove_prefix(1);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.remove_suffix(1);
  return line;
}

namespace {

bool Is(const Pair& pair, std::string_view code, std::string_view value) {
  return Trim(pair.code) == code && Trim(pair.value) == value;
}

// The section rule: SECTION and ENDSEC leave, (2, ENTITIES) enters.
void FollowSection(const Pair& pair, bool& inside) {
  if (Is(pair, "0", "SECTION") || Is(pair, "0", "ENDSEC")) inside = false;
  if (Is(pair, "2", "ENTITIES")) inside = true;
}

// Splits at the entities that `starts` recognises; `ends(start, pair)` tells
// the pair that ends the entity begun by `start`. That pair is examined
// again, as the main loop of every reader does.
template <typename Starts, typename Ends>
std::vector<Segment> SplitAt(const std::vector<Pair>& pairs, Starts starts, Ends ends) {
  std::vector<Segment> segments;
  bool inside = false;
  std::size_t k = 0;
  while (k < pairs.size()) {
    FollowSection(pairs[k], inside);
    if (!inside || !starts(pairs[k])) {
      segments.push_back({k, k + 1, false});
      ++k;
      continue;
    }
    std::size_t end = k + 1;
    while (end < pairs.size() && !ends(pairs[k], pairs[end])) ++end;
    segments.push_back({k, end, true});
    k = end;
  }
  return segments;
}

}  // namespace

std::vector<Segment> SplitAtPolylines(const std::vector<Pair>& pairs) {
  return SplitAt(
      pairs,
      [](const Pair& pair) { return Is(pair, "0", "POLYLINE") || Is(pair, "0", "LWPOLYLINE"); },
      [](const Pair& start, const Pair& pair) {
        if (Trim(pair.code) != "0") return false;
        if (Trim(start.value) == "LWPOLYLINE") return true;
        return Trim(pair.value) != "VERTEX" && Trim(pair.value) != "SEQEND";
      });
}

std::vector<Segment> SplitAtLines(const std::vector<Pair>& pairs) {
  return SplitAt(
      pairs, [](const Pair& pair) { return Is(pair, "0", "LINE"); },
      [](const Pair&, const Pair& pair) { return Trim(pair.code) == "0"; });
}

bool CodesStayCodes(const std::vector<Pair>& input, const std::vector<std::string_view>& output,
                    std::initializer_list<std::string_view> own_codes) {
  std::set<std::string_view> codes(own_codes);
  for (const Pair& pair : input) codes.insert(Trim(pair.code));
  for (std::size_t k = 0; k < output.size(); k += 2) {
    if (codes.count(Trim(output[k])) == 0) return false;
  }
  return true;
}

bool ExtendedDataEndsEachEntity(const std::vector<Pair>& pairs) {
  const auto extended_data_code = [](std::string_view code) {
    return code.size() == 4 && code >= "1000" && code <= "1071" &&
           code.find_first_not_of("0123456789") == std::string_view::npos;
  };
  bool in_extended_data = false;
  for (const Pair& pair : pairs) {
    const std::string_view code = Trim(pair.code);
    if (code == "0") {
      in_extended_data = false;
    } else if (code == "1001") {
      in_extended_data = true;
    } else if (in_extended_data && !extended_data_code(code)) {
      return false;
    }
  }
  return true;
}

bool IsPlainCount(std::string_view text) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace quillmere::fuzzing
