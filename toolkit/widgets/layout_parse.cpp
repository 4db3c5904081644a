#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "layout_comments.h"
#include "toolkit.h"

static constexpr const char* NOT_A_LAYOUT_LINE = "not a layout line";
static constexpr const char* BAD_ESCAPE = "backslash not before \\\" or \\\\";
static constexpr const char* OUTSIDE_INT_RANGE = "number outside the int range";
static constexpr const char* LEADING_ZERO = "number with a leading zero";
static constexpr const char* TEXT_TOO_LONG = "text longer than 24 characters";
static constexpr const char* UNPRINTABLE = "text with a character outside printable ASCII";
static constexpr const char* WIDTH_BELOW_1 = "width below 1";
static constexpr const char* HEIGHT_BELOW_1 = "height below 1";
static constexpr const char* TOO_MANY_VIEWS = "more views than the view list can hold";

static void refuse(LayoutError* error, LayoutFault fault, int line, const char* reason) {
  error->fault = fault;
  error->line = line;
  std::snprintf(error->reason, sizeof error->reason, "%s", reason);
}

namespace {
// What is left of one line, its line end already cut off.
struct Cursor {
  const char* at;
  const char* end;
};

enum class Parsed {
  OK,
  MALFORMED,
  OUT_OF_RANGE,
  LEADING_ZERO,
  TEXT_TOO_LONG,
  BAD_ESCAPE,
  UNPRINTABLE
};
}  // namespace

static bool isBlank(char c) { return c == ' ' || c == '\t'; }

static void skipBlanks(Cursor& c) {
  while (c.at < c.end && isBlank(*c.at)) ++c.at;
}

static bool take(Cursor& c, char wanted) {
  skipBlanks(c);
  if (c.at == c.end || *c.at != wanted) return false;
  ++c.at;
  return true;
}

static const LayoutFormat* takeConstructor(Cursor& c) {
  skipBlanks(c);
  const char* start = c.at;
  while (c.at < c.end && ((*c.at >= 'a' && *c.at <= 'z') || (*c.at >= 'A' && *c.at <= 'Z'))) {
    ++c.at;
  }
  const std::string_view name(start, static_cast<size_t>(c.at - start));
  for (const LayoutFormat& format : LAYOUT_FORMATS) {
    if (name == format.constructor) return &format;
  }
  return nullptr;
}

// A decimal whole number with an optional minus sign, as the designer writes it.
// A leading zero is refused: the compiler reads "010" as octal 8, so the file
// would mean one number here and another in a program made of its lines.
static Parsed takeNumber(Cursor& c, int32_t* number) {
  skipBlanks(c);
  const bool negative = c.at < c.end && *c.at == '-';
  if (negative) ++c.at;
  const char* digits = c.at;
  int64_t magnitude = 0;
  bool tooLarge = false;
  for (; c.at < c.end && *c.at >= '0' && *c.at <= '9'; ++c.at) {
    magnitude = magnitude * 10 + (*c.at - '0');
    // Past 2^31 the value is out of range whatever follows; stop growing it.
    if (magnitude > (int64_t{1} << 31)) {
      tooLarge = true;
      magnitude = int64_t{1} << 31;
    }
  }
  if (c.at == digits) return Parsed::MALFORMED;
  if (*digits == '0' && c.at - digits > 1) return Parsed::LEADING_ZERO;
  const int64_t value = negative ? -magnitude : magnitude;
  if (tooLarge || value < INT32_MIN || value > INT32_MAX) return Parsed::OUT_OF_RANGE;
  *number = static_cast<int32_t>(value);
  return Parsed::OK;
}

static Parsed takeCommaAndNumber(Cursor& c, int32_t* number) {
  return take(c, ',') ? takeNumber(c, number) : Parsed::MALFORMED;
}

// The characters between two quotes, where \" stands for a quote and \\ for a
// backslash, as in C++; a text cannot hold a line feed or a zero byte. A text
// longer than a view holds is refused rather than cut, so that no save writes
// it back shortened. The font draws printable ASCII alone, and a carriage
// return or other control character saved back would break the line.
static bool isPrintable(char c) { return c >= ' ' && c <= '~'; }

static Parsed takeText(Cursor& c, char* text) {
  if (!take(c, ',') || !take(c, '"')) return Parsed::MALFORMED;
  size_t length = 0;
  for (; c.at < c.end && *c.at != '"'; ++c.at) {
    if (*c.at == '\0') return Parsed::MALFORMED;
    if (!isPrintable(*c.at)) return Parsed::UNPRINTABLE;
    if (*c.at == '\\') {
      ++c.at;
      if (c.at == c.end || (*c.at != '"' && *c.at != '\\')) return Parsed::BAD_ESCAPE;
    }
    if (length < VIEW_TEXT_LENGTH) text[length] = *c.at;
    ++length;
  }
  if (c.at == c.end) return Parsed::MALFORMED;
  ++c.at;
  // The one check of a text's length: on the characters the view stores.
  if (length > VIEW_TEXT_LENGTH) return Parsed::TEXT_TOO_LONG;
  text[length] = '\0';
  return Parsed::OK;
}

static bool takeArrow(Cursor& c) {
  skipBlanks(c);
  if (c.end - c.at < 2 || c.at[0] != '-' || c.at[1] != '>') return false;
  c.at += 2;
  return true;
}

// "id = N" after the arrow that follows a constructor taking no id.
static Parsed takeIdAssignment(Cursor& c, int32_t* id) {
  skipBlanks(c);
  if (c.end - c.at < 2 || c.at[0] != 'i' || c.at[1] != 'd') return Parsed::MALFORMED;
  c.at += 2;
  return take(c, '=') ? takeNumber(c, id) : Parsed::MALFORMED;
}

static Parsed parseLine(Cursor c, LayoutView* view) {
  *view = LayoutView{};
  const LayoutFormat* format = takeConstructor(c);
  if (format == nullptr || !take(c, '(')) return Parsed::MALFORMED;
  view->type = format->type;
  int32_t* const numbers[] = {&view->width, &view->height, &view->xpos, &view->ypos, &view->id};
  const int count = format->hasId ? 5 : 4;
  for (int i = 0; i < count; ++i) {
    const Parsed parsed = i == 0 ? takeNumber(c, numbers[i]) : takeCommaAndNumber(c, numbers[i]);
    if (parsed != Parsed::OK) return parsed;
  }
  if (format->hasText) {
    const Parsed parsed = takeText(c, view->text);
    if (parsed != Parsed::OK) return parsed;
  }
  if (!take(c, ')')) return Parsed::MALFORMED;
  if (!format->hasId && takeArrow(c)) {
    const Parsed parsed = takeIdAssignment(c, &view->id);
    if (parsed != Parsed::OK) return parsed;
  }
  if (!take(c, ';')) return Parsed::MALFORMED;
  skipBlanks(c);
  return c.at == c.end ? Parsed::OK : Parsed::MALFORMED;
}

static const char* reasonOf(Parsed parsed) {
  switch (parsed) {
    case Parsed::OUT_OF_RANGE:
      return OUTSIDE_INT_RANGE;
    case Parsed::LEADING_ZERO:
      return LEADING_ZERO;
    case Parsed::TEXT_TOO_LONG:
      return TEXT_TOO_LONG;
    case Parsed::BAD_ESCAPE:
      return BAD_ESCAPE;
    case Parsed::UNPRINTABLE:
      return UNPRINTABLE;
    default:
      return NOT_A_LAYOUT_LINE;
  }
}

static const char* sizeFault(const LayoutView& view) {
  if (view.width < 1) return WIDTH_BELOW_1;
  if (view.height < 1) return HEIGHT_BELOW_1;
  return nullptr;
}

static bool isBlankLine(Cursor c) {
  skipBlanks(c);
  return c.at == c.end;
}

// The line from start up to its line feed (or the end), without the carriage
// return of a CRLF line end.
static Cursor lineAt(const char* start, const char* end) {
  const char* feed = static_cast<const char*>(std::memchr(start, '\n', end - start));
  const char* lineEnd = feed != nullptr ? feed : end;
  if (lineEnd > start && lineEnd[-1] == '\r') --lineEnd;
  return {start, lineEnd};
}

static const char* nextLine(const char* start, const char* end) {
  const char* feed = static_cast<const char*>(std::memchr(start, '\n', end - start));
  return feed != nullptr ? feed + 1 : end;
}

int parseLayout(const char* text, size_t length, LayoutView* views, int capacity,
                LayoutError* error) {
  error->file[0] = '\0';
  error->fault = LayoutFault::NONE;
  // A canvas line that is not one is refused before any view is read.
  LayoutCanvas canvas{};
  if (!parseLayoutCanvas(text, length, &canvas, error)) return -1;
  const char* const end = text + length;
  int count = 0;
  int lineNumber = 0;
  for (const char* start = text; start < end; start = nextLine(start, end)) {
    ++lineNumber;
    const Cursor line = lineAt(start, end);
    if (isBlankLine(line) || isLayoutComment({line.at, static_cast<size_t>(line.end - line.at)})) {
      continue;
    }
    LayoutView view;
    const Parsed parsed = parseLine(line, &view);
    if (parsed != Parsed::OK) {
      refuse(error, LayoutFault::BAD_LINE, lineNumber, reasonOf(parsed));
      return -1;
    }
    if (const char* fault = sizeFault(view)) {
      refuse(error, LayoutFault::BAD_LINE, lineNumber, fault);
      return -1;
    }
    if (count == capacity) {
      refuse(error, LayoutFault::TOO_MANY_VIEWS, lineNumber, TOO_MANY_VIEWS);
      return -1;
    }
    view.line = lineNumber;
    views[count++] = view;
  }
  return count;
}

static void refuseFile(LayoutError* error, const char* path, LayoutFault fault,
                       const char* reason) {
  std::snprintf(error->file, sizeof error->file, "%s", path);
  refuse(error, fault, 0, reason);
}

static const char* fileFault(int fd, off_t* size) {
  struct stat status {};
  if (fstat(fd, &status) != 0) return std::strerror(errno);
  if (S_ISDIR(status.st_mode)) return "a folder, not a file";
  if (!S_ISREG(status.st_mode)) return "not a regular file";
  if (status.st_size > LAYOUT_FILE_LIMIT) return "larger than 1 MiB";
  *size = status.st_size;
  return nullptr;
}

// Reads until the end of the file; a file longer than expected is one being
// written at this moment.
static const char* readAll(int fd, std::string* contents) {
  size_t got = 0;
  while (got < contents->size()) {
    const ssize_t n = read(fd, contents->data() + got, contents->size() - got);
    if (n == 0) break;
    if (n < 0 && errno != EINTR) return std::strerror(errno);
    if (n > 0) got += static_cast<size_t>(n);
  }
  if (got == contents->size()) return "changed while being read";
  contents->resize(got);
  return nullptr;
}

// The whole file, or false with the reason. Only regular files are read, so a
// folder or a pipe of that name neither fails obscurely nor blocks.
static bool readWhole(const char* path, std::string* contents, LayoutError* error) {
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) {
      refuseFile(error, path, LayoutFault::NO_FILE, "no such file");
    } else {
      refuseFile(error, path, LayoutFault::UNREADABLE_FILE, std::strerror(errno));
    }
    return false;
  }
  off_t size = 0;
  const char* fault = fileFault(fd, &size);
  if (fault == nullptr) {
    // One byte more than the file holds, to see the end of the file.
    contents->resize(static_cast<size_t>(size) + 1);
    fault = readAll(fd, contents);
  }
  close(fd);
  if (fault != nullptr) refuseFile(error, path, LayoutFault::UNREADABLE_FILE, fault);
  return fault == nullptr;
}

int readLayout(const char* path, LayoutView* views, int capacity, LayoutError* error) {
  std::string contents;
  if (!readWhole(path, &contents, error)) return -1;
  const int count = parseLayout(contents.data(), contents.size(), views, capacity, error);
  std::snprintf(error->file, sizeof error->file, "%s", path);
  return count;
}

bool readLayoutCanvas(const char* path, int* width, int* height, LayoutError* error) {
  std::string contents;
  if (!readWhole(path, &contents, error)) return false;
  LayoutCanvas canvas{};
  const bool named = parseLayoutCanvas(contents.data(), contents.size(), &canvas, error);
  std::snprintf(error->file, sizeof error->file, "%s", path);
  if (named) {
    *width = canvas.width;
    *height = canvas.height;
  }
  return named;
}

void describeLayoutError(const LayoutError* error, char* message, size_t size) {
  if (error->line > 0) {
    std::snprintf(message, size, "%s line %d: %s", error->file, error->line, error->reason);
  } else {
    std::snprintf(message, size, "%s: %s", error->file, error->reason);
  }
}
