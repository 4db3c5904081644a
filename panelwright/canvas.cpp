// The canvas the designer shows: its size, chosen at start-up, and where the
// palette, the property panel and the command buttons stand beside it.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "designer.h"

int canvasWidth = DEFAULT_CANVAS_WIDTH;
int canvasHeight = DEFAULT_CANVAS_HEIGHT;

bool canvasSizeFits(int width, int height) {
  return width >= MIN_CANVAS_WIDTH && width <= MAX_CANVAS_WIDTH && height >= MIN_CANVAS_HEIGHT &&
         height <= MAX_CANVAS_HEIGHT;
}

bool setCanvasSize(int width, int height) {
  if (!canvasSizeFits(width, height)) return false;
  canvasWidth = width;
  canvasHeight = height;
  return true;
}

bool isDefaultCanvas() {
  return canvasWidth == DEFAULT_CANVAS_WIDTH && canvasHeight == DEFAULT_CANVAS_HEIGHT;
}

int besideCanvas(int x) { return x + canvasWidth - DEFAULT_CANVAS_WIDTH; }

int designerWindowWidth() { return canvasWidth + 310; }

// At least as high as beside the default canvas, which the panel fills.
int designerWindowHeight() { return std::max(640, canvasHeight + 40); }

bool parseCanvasSize(const char* text, int* width, int* height) {
  const char* const end = text + std::strlen(text);
  int w = 0;
  int h = 0;
  const auto [afterWidth, widthError] = std::from_chars(text, end, w);
  if (widthError != std::errc{} || afterWidth == end || *afterWidth != 'x') return false;
  const auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, h);
  if (heightError != std::errc{} || afterHeight != end || !canvasSizeFits(w, h)) return false;
  *width = w;
  *height = h;
  return true;
}

LayoutCanvas canvasOfLayoutFile() {
  int width = 0;
  int height = 0;
  LayoutError error{};
  if (!readLayoutCanvas(LAYOUT_FILE, &width, &height, &error)) return DEFAULT_LAYOUT_CANVAS;
  if (canvasSizeFits(width, height)) return {width, height};
  std::fprintf(stderr,
               "panelwright: %s names a %dx%d canvas, outside %dx%d to %dx%d; starting with "
               "%dx%d\n",
               LAYOUT_FILE, width, height, MIN_CANVAS_WIDTH, MIN_CANVAS_HEIGHT, MAX_CANVAS_WIDTH,
               MAX_CANVAS_HEIGHT, DEFAULT_CANVAS_WIDTH, DEFAULT_CANVAS_HEIGHT);
  return DEFAULT_LAYOUT_CANVAS;
}
