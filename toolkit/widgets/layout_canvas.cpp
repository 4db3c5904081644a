// The canvas line a layout may start with, "// canvas 800x480", and the comment
// lines every reader of a layout passes over.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "layout_comments.h"
#include "toolkit.h"

static constexpr std::string_view COMMENT_START = "//";
static constexpr std::string_view CANVAS_WORD = "canvas";
static constexpr const char* NOT_A_CANVAS_LINE = "canvas line not \"// canvas WxH\"";
static constexpr const char* CANVAS_OUT_OF_RANGE = "canvas size outside 1 to 8192";

static bool isBlank(char c) { return c == ' ' || c == '\t'; }

static bool isDigit(char c) { return c >= '0' && c <= '9'; }

static std::string_view withoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool isLayoutComment(std::string_view line) {
  return withoutLeadingBlanks(line).starts_with(COMMENT_START);
}

// The text's first line, without its line feed and the carriage return of a CRLF.
static std::string_view firstLine(const char* text, size_t length) {
  const auto* feed = static_cast<const char*>(std::memchr(text, '\n', length));
  std::string_view line(text, feed != nullptr ? static_cast<size_t>(feed - text) : length);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// What follows the word "canvas" when the line is a canvas line; "//canvasses"
// and any other comment are not.
static bool isCanvasLine(std::string_view line, std::string_view* rest) {
  line = withoutLeadingBlanks(line);
  if (!line.starts_with(COMMENT_START)) return false;
  line = withoutLeadingBlanks(line.substr(COMMENT_START.size()));
  if (!line.starts_with(CANVAS_WORD)) return false;
  line.remove_prefix(CANVAS_WORD.size());
  if (!line.empty() && !isBlank(line.front())) return false;
  *rest = withoutLeadingBlanks(line);
  return true;
}

// A size in decimal without a leading zero; null, or what is wrong with it.
static const char* takeSize(std::string_view* text, int32_t* size) {
  size_t digits = 0;
  int64_t value = 0;
  for (; digits < text->size() && isDigit((*text)[digits]); ++digits) {
    value = std::min<int64_t>(value * 10 + ((*text)[digits] - '0'), SCREEN_SIZE_LIMIT + 1);
  }
  if (digits == 0 || ((*text)[0] == '0' && digits > 1)) return NOT_A_CANVAS_LINE;
  if (value < 1 || value > SCREEN_SIZE_LIMIT) return CANVAS_OUT_OF_RANGE;
  text->remove_prefix(digits);
  *size = static_cast<int32_t>(value);
  return nullptr;
}

// "WxH" and nothing but blanks after it; null, or what is wrong with it.
static const char* takeCanvasSize(std::string_view text, LayoutCanvas* canvas) {
  if (const char* fault = takeSize(&text, &canvas->width)) return fault;
  if (!text.starts_with('x')) return NOT_A_CANVAS_LINE;
  text.remove_prefix(1);
  if (const char* fault = takeSize(&text, &canvas->height)) return fault;
  return withoutLeadingBlanks(text).empty() ? nullptr : NOT_A_CANVAS_LINE;
}

bool parseLayoutCanvas(const char* text, size_t length, LayoutCanvas* canvas, LayoutError* error) {
  error->file[0] = '\0';
  error->fault = LayoutFault::NONE;
  std::string_view size;
  if (!isCanvasLine(firstLine(text, length), &size)) {
    *canvas = DEFAULT_LAYOUT_CANVAS;
    return true;
  }
  LayoutCanvas named{};
  if (const char* fault = takeCanvasSize(size, &named)) {
    error->fault = LayoutFault::BAD_LINE;
    error->line = 1;
    std::snprintf(error->reason, sizeof error->reason, "%s", fault);
    return false;
  }
  *canvas = named;
  return true;
}
