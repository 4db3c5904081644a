#include <algorithm>
#include <cstdint>
#include <cstring>

#include "surface.h"
#include "toolkit.h"

// Elements of a button that is not shown are drawn in this grey.
static constexpr int inactiveGrey = 0xB4B4B4;
static constexpr int characterAdvance = 6;
static constexpr int buttonLargestScale = 2;

// How many of the first `length` characters fit in `width` at this scale; the
// rest are dropped. The count never exceeds the text, whatever the geometry.
static int fittedLength(int length, int scale, int width) {
  const int64_t needed = int64_t{characterAdvance} * scale * length;
  if (needed <= width) return length;
  if (scale == 0) return 0;
  return std::clamp(width / (characterAdvance * scale), 0, length);
}

// Applications write `text` directly, so its terminator is not trusted.
static int textLength(const View* view) {
  return static_cast<int>(strnlen(view->text, VIEW_TEXT_LENGTH));
}

// A copy of the first `length` characters of `source`, terminated.
struct ShownText {
  char characters[VIEW_TEXT_LENGTH + 1];
};

static ShownText firstCharacters(const char* source, int length) {
  ShownText shown{};
  std::memcpy(shown.characters, source, static_cast<size_t>(length));
  return shown;
}

static void drawBoxBackgroundAndFrame(View* view) {
  if (view->background != COLOR_NONE) fillView(view, view->background);
  if (view->border != COLOR_NONE) {
    drawRectangle(view->width, view->height, view->xpos, view->ypos, 1, view->border);
  }
}

void drawLabel(View* view) {
  enterGraphics();
  drawBoxBackgroundAndFrame(view);
  if (view->foreground != COLOR_NONE) {
    const int scale = view->height / 12;
    const int length = fittedLength(textLength(view), scale, view->width);
    const ShownText shown = firstCharacters(view->text, length);
    drawText(shown.characters, clampedToInt(int64_t{view->xpos} + scale),
             clampedToInt(int64_t{view->ypos} + 7 * scale), scale, view->foreground);
  }
  exitGraphics();
}

void drawNumView(View* view) {
  enterGraphics();
  drawBoxBackgroundAndFrame(view);
  if (view->foreground != COLOR_NONE) {
    const int scale = view->height / 8;
    ShownText shown{};
    if (view->text[0] != '\0') {
      shown = firstCharacters(view->text, textLength(view));
    } else {
      intToString(shown.characters, view->value);
    }
    // Cutting at the end keeps the leading characters, also of a number.
    const int length =
        fittedLength(static_cast<int>(std::strlen(shown.characters)), scale, view->width);
    shown.characters[length] = '\0';
    const int textWidth = characterAdvance * scale * length;
    drawText(shown.characters, clampedToInt(int64_t{view->xpos} + scale + view->width - textWidth),
             clampedToInt(int64_t{view->ypos} + 3 * scale), scale, view->foreground);
  }
  exitGraphics();
}

struct ButtonColours {
  int body;
  int outline;
  int caption;
};

// Pressing swaps body and caption; only a released button greys its outline
// when it is not shown.
static ButtonColours buttonColours(const View* view) {
  if (view->value != 0) return {view->foreground, view->border, view->background};
  const int outline =
      view->border == COLOR_NONE || view->status == STATUS_SHOWN ? view->border : inactiveGrey;
  return {view->background, outline, view->foreground};
}

static void drawCaption(const View* view, int colour) {
  const int scale = std::min(view->height / 18, buttonLargestScale);
  const int length = fittedLength(textLength(view), scale, view->width);
  const int advance = characterAdvance * scale;
  const int64_t xoff = (int64_t{view->width} - advance * length) / 2 + scale;
  const int64_t yoff = (int64_t{view->height} - 7 * scale) / 2 + (5 * scale) / 2;
  const int y = clampedToInt(view->ypos + yoff);
  for (int i = 0; i < length; ++i) {
    drawChar5(view->text[i], clampedToInt(view->xpos + xoff + advance * i), y, scale, colour);
  }
}

void drawButton(View* view) {
  const ButtonColours colours = buttonColours(view);
  const int w = view->width;
  const int h = view->height;
  enterGraphics();
  if (colours.body != COLOR_NONE) {
    drawFilledRoundedRectangle(w, h, view->xpos, view->ypos, colours.body);
  }
  if (colours.outline != COLOR_NONE) {
    drawRoundedRectangle(w, h, view->xpos, view->ypos, colours.outline);
  }
  if (colours.caption != COLOR_NONE) {
    drawCaption(view, view->status == STATUS_DISABLED ? inactiveGrey : colours.caption);
  }
  exitGraphics();
}
