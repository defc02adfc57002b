#pragma once

#include <cstdint>

namespace quillmere {

// The picture of the three job buttons: a green check mark of 18 x 19
// pixels from the 16-colour palette, one string per row: "." transparent,
// "l" lime highlight, "g" green body, "d" black shadow edge. Every toolkit
// builds its button picture, and the greyed one of a disabled button, from
// these rows.
inline constexpr int kCheckMarkWidth = 18;
inline constexpr int kCheckMarkHeight = 19;
inline constexpr const char* kCheckMarkRows[kCheckMarkHeight] = {
    "..................",
    "..................",
    "..................",
    "..................",
    "..............lll.",
    ".............lggg.",
    "............lgggg.",
    "..ll.......lggggd.",
    ".lggl.....lggggd..",
    ".ggggl...lggggd...",
    ".dggggl.lggggd....",
    "..dgggglggggd.....",
    "...dgggggggd......",
    "....dgggggd.......",
    ".....dgggd........",
    "......ddd.........",
    "..................",
    "..................",
    "..................",
};

struct PictureRgb {
  std::uint8_t red, green, blue;
};

// The colour of a letter of the rows other than ".".
constexpr PictureRgb CheckMarkColour(char code) {
  if (code == 'l') return {0x00, 0xFF, 0x00};
  if (code == 'g') return {0x00, 0x80, 0x00};
  return {0x00, 0x00, 0x00};
}

}  // namespace quillmere
