// Expected looks of the calculator's screen, written out from the font's
// glyph rows and the documented layout so that they do not depend on the
// toolkit code they check.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;
using PixelReader = std::function<uint32_t(int x, int y)>;

// Inclusive bounds.
struct Area {
  int x0, y0, x1, y1;
};

// Pixels inked by text at the given origin (pen centre of the first glyph's
// column 0, row 2) and text scale. Only characters the calculator shows are
// known; any other fails the calling test.
PixelSet textPixels(std::string_view text, int x, int y, int size);

// Every pixel of the area must be ink on the given pixels and paper elsewhere.
// Returns "" when it is so, else a description of the first mismatches.
std::string compareArea(const PixelReader& read, Area area, const PixelSet& inked, uint32_t ink,
                        uint32_t paper);

// The display: black text on white inside its frame, right-aligned, of which
// only the first twelve characters are shown.
inline constexpr Area DISPLAY_INSIDE{51, 101, 349, 131};
inline constexpr uint32_t DISPLAY_INK = 0x000000;
inline constexpr uint32_t DISPLAY_PAPER = 0xFFFFFF;
PixelSet displayPixels(std::string_view shown);
std::string compareDisplay(const PixelReader& read, std::string_view shown);

// A key, its caption and its colours.
struct KeyLook {
  char name;  // the character that names it in key sequences: 'C' for CLR
  const char* caption;
  int xpos, ypos, width;
  int captionX, captionY;  // caption origin on the screen
};
inline constexpr int KEY_HEIGHT = 50;
const KeyLook& keyLook(char name);
inline constexpr std::pair<int, int> keyCentre(const KeyLook& key) {
  return {key.xpos + key.width / 2, key.ypos + KEY_HEIGHT / 2};
}
// The part of a key below and above its rounded corners, inside its outline.
inline constexpr Area keyInside(const KeyLook& key) {
  return {key.xpos + 1, key.ypos + 10, key.xpos + key.width - 1, key.ypos + KEY_HEIGHT - 10};
}
std::string compareKey(const PixelReader& read, char name, uint32_t body, uint32_t caption);

inline constexpr uint32_t DIGIT_BODY = 0x000000;
inline constexpr uint32_t FUNCTION_BODY = 0x808080;
inline constexpr uint32_t CAPTION_NEAR_WHITE = 0xF0F0F0;
