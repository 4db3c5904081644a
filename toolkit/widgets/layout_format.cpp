#include <cstdio>

#include "toolkit.h"

// A quote or backslash is written escaped, so that the line still compiles as
// C++ and reads back as the same text.
static void writeQuotedText(const char* text, char* out) {
  int length = 0;
  out[length++] = '"';
  for (int i = 0; i < VIEW_TEXT_LENGTH && text[i] != '\0'; ++i) {
    if (text[i] == '"' || text[i] == '\\') out[length++] = '\\';
    out[length++] = text[i];
  }
  out[length++] = '"';
  out[length] = '\0';
}

const LayoutFormat* layoutFormatOf(int32_t type) {
  for (const LayoutFormat& format : LAYOUT_FORMATS) {
    if (format.type == type) return &format;
  }
  return nullptr;
}

// The longest line, a label whose four numbers and id are eleven characters
// each and whose text is 24 escaped characters, is 132 bytes, so nothing is
// ever cut.
int formatLayoutLine(const View* view, char* line) {
  const LayoutFormat* format = layoutFormatOf(view->type);
  if (format == nullptr) return 0;
  int length = std::snprintf(line, LAYOUT_LINE_SIZE, "%s(%d, %d, %d, %d", format->constructor,
                             view->width, view->height, view->xpos, view->ypos);
  if (format->hasId) {
    length += std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ", %d", view->id);
  }
  if (format->hasText) {
    char quoted[2 * VIEW_TEXT_LENGTH + 3];
    writeQuotedText(view->text, quoted);
    length += std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ", %s", quoted);
  }
  length += std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ")");
  // Kinds whose constructor takes no id set it on the view the call returns.
  if (!format->hasId && view->id != 0) {
    length += std::snprintf(line + length, LAYOUT_LINE_SIZE - length, "->id = %d", view->id);
  }
  return length + std::snprintf(line + length, LAYOUT_LINE_SIZE - length, ";\n");
}
