#include "screen_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

struct Glyph {
  char ch;
  uint8_t rows[7];  // top row first; 0x10 is the leftmost cell
};

// The font's rows for every character the calculator draws.
constexpr Glyph GLYPHS[] = {
    {'*', {0x00, 0x04, 0x15, 0x0E, 0x15, 0x04, 0x00}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'0', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x06, 0x08, 0x10, 0x1F}},
    {'3', {0x0E, 0x11, 0x01, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x12, 0x12, 0x12, 0x1F, 0x02, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x0E, 0x10, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0E, 0x01, 0x01, 0x0E}},
    {'A', {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x1E}},
    {'C', {0x0F, 0x10, 0x10, 0x10, 0x10, 0x10, 0x0F}},
    {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'f', {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
};

const Glyph* glyphOf(char ch) {
  const auto* found = std::find_if(std::begin(GLYPHS), std::end(GLYPHS),
                                   [ch](const Glyph& g) { return g.ch == ch; });
  return found == std::end(GLYPHS) ? nullptr : found;
}

// Cells are stamped with a square pen of side 2 * (size / 2) + 1 on a grid of size pixels.
void addCell(PixelSet& pixels, int cx, int cy, int size) {
  const int half = size / 2;
  for (int y = cy - half; y <= cy + half; ++y)
    for (int x = cx - half; x <= cx + half; ++x) pixels.insert({x, y});
}

constexpr KeyLook KEYS[] = {
    {'1', "1", 50, 230, 60, 76, 253},   {'2', "2", 125, 230, 60, 151, 253},
    {'3', "3", 200, 230, 60, 226, 253}, {'4', "4", 50, 300, 60, 76, 323},
    {'5', "5", 125, 300, 60, 151, 323}, {'6', "6", 200, 300, 60, 226, 323},
    {'7', "7", 50, 370, 60, 76, 393},   {'8', "8", 125, 370, 60, 151, 393},
    {'9', "9", 200, 370, 60, 226, 393}, {'0', "0", 125, 440, 60, 151, 463},
    {'C', "CLR", 50, 440, 60, 64, 463}, {'.', ".", 200, 440, 60, 226, 463},
    {'+', "+", 280, 230, 70, 311, 253}, {'-', "-", 280, 300, 70, 311, 323},
    {'*', "*", 280, 370, 70, 311, 393}, {'/', "/", 280, 440, 70, 311, 463},
};

}  // namespace

PixelSet textPixels(std::string_view text, int x, int y, int size) {
  PixelSet pixels;
  for (size_t i = 0; i < text.size(); ++i) {
    const Glyph* glyph = glyphOf(text[i]);
    if (glyph == nullptr) {
      ADD_FAILURE() << "no glyph rows written down for '" << text[i] << "'";
      continue;
    }
    const int left = x + 6 * size * static_cast<int>(i);
    for (int row = 0; row < 7; ++row)
      for (int column = 0; column < 5; ++column)
        if (glyph->rows[row] & (0x10 >> column))
          addCell(pixels, left + size * column, y + size * (row - 2), size);
  }
  return pixels;
}

std::string compareArea(const PixelReader& read, Area area, const PixelSet& inked, uint32_t ink,
                        uint32_t paper) {
  std::string report;
  int mismatches = 0;
  for (int y = area.y0; y <= area.y1; ++y) {
    for (int x = area.x0; x <= area.x1; ++x) {
      const uint32_t expected = inked.count({x, y}) ? ink : paper;
      const uint32_t actual = read(x, y);
      if (actual == expected) continue;
      if (++mismatches <= 8) {
        char line[80];
        std::snprintf(line, sizeof line, "(%d, %d) is %06X, not %06X\n", x, y, actual, expected);
        report += line;
      }
    }
  }
  if (mismatches > 8) report += std::to_string(mismatches) + " pixels differ in all\n";
  return report;
}

// The display's text scale is 4: twelve characters of 24 pixels fill its 300
// pixels, and the last character's right-hand block is centred 4 pixels
// inside the right edge (x 346), on glyph row 2 at y 112.
PixelSet displayPixels(std::string_view shown) {
  const std::string_view fitted = shown.substr(0, 12);
  const int n = static_cast<int>(fitted.size());
  return textPixels(fitted, 354 - 24 * n, 112, 4);
}

std::string compareDisplay(const PixelReader& read, std::string_view shown) {
  return compareArea(read, DISPLAY_INSIDE, displayPixels(shown), DISPLAY_INK, DISPLAY_PAPER);
}

const KeyLook& keyLook(char name) {
  const auto* found = std::find_if(std::begin(KEYS), std::end(KEYS),
                                   [name](const KeyLook& k) { return k.name == name; });
  if (found == std::end(KEYS)) ADD_FAILURE() << "no key named '" << name << "'";
  return found == std::end(KEYS) ? KEYS[0] : *found;
}

std::string compareKey(const PixelReader& read, char name, uint32_t body, uint32_t caption) {
  const KeyLook& key = keyLook(name);
  return compareArea(read, keyInside(key), textPixels(key.caption, key.captionX, key.captionY, 2),
                     caption, body);
}
