#include <cstdio>

#include "toolkit.h"

const LayoutFormat* layoutFormatOf(int32_t type) {
  for (const LayoutFormat& format : LAYOUT_FORMATS) {
    if (format.type == type) return &format;
  }
  return nullptr;
}

// The longest line, a button with five numbers of eleven characters and a full
// text, is 99 bytes, so nothing is ever cut.
int formatLayoutLine(const View* view, char* line) {
  const LayoutFormat* format = layoutFormatOf(view->type);
  if (format == nullptr) return 0;
  int length = std::snprintf(line, LAYOUT_LINE_SIZE, "%s(%d, %d, %d, %d", format->constructor,
                             view->width, view->height, view->xpos, view->ypos);
  if (format->hasId) {
    length += std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ", %d", view->id);
  }
  if (format->hasText) {
    length += std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ", \"%.*s\"",
                            VIEW_TEXT_LENGTH, view->text);
  }
  return length + std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ");\n");
}
