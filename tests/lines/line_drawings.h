#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace quillmere::testing {

using Lines = std::vector<std::string>;

inline Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// LINE A of the worked example, old style: handle 2A, layer KONTUR, from
// 0,0,0 to 10,0,0.
inline const Lines kLineA = {"  0", "LINE", "  5", "2A", "  8", "KONTUR", " 10", "0.0", " 20",
                             "0.0", " 30", "0.0", " 11", "10.0", " 21", "0.0", " 31", "0.0"};

}  // namespace quillmere::testing
