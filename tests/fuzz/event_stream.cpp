#include "event_stream.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "surface_counts.h"

// Both toolkits, the full one and the colour pad's, define these.
extern SDL_Surface* screen;
extern int32_t quit;
void eventLoop();

extern "C" {
int __real_SDL_PollEvent(SDL_Event* event);
void __real__Z9eventLoopv();
}

namespace {

enum Kind { PRESS, RELEASE, MASKED_MOTION, DRAG };
enum Where { ABSOLUTE, AIMED, STEP, SAME };

// Bursts stay well inside SDL's 128-event queue.
constexpr int MAX_BURST = 32;
// Answers a nested loop may need before it counts as one that never ends.
constexpr int MAX_ANSWERS = 4;

struct Stream {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t next = 0;
  bool active = false;
  bool exhausted = false;
  int x = 0;
  int y = 0;
  long events = 0;
  int answers = 0;
  // The program has run since the last check: an event was handed to it, or
  // an event loop returned to it (a handler goes on after its nested loop).
  bool unchecked = false;
};

struct Totals {
  unsigned long long streams = 0;
  unsigned long long events = 0;
};

}  // namespace

static Stream stream;
static Totals totals;
// Whether the innermost running eventLoop has had its events.
static bool loopFed = false;
static int loopDepth = 0;

void fuzzFault(const char* format, ...) {
  std::fprintf(stderr, "fuzz: after event %ld of the stream: ", stream.events);
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stderr, format, arguments);
  va_end(arguments);
  std::fputc('\n', stderr);
  std::abort();
}

static bool take(size_t count, const uint8_t** bytes) {
  if (stream.size - stream.next < count) return false;
  *bytes = stream.data + stream.next;
  stream.next += count;
  return true;
}

static int spanned(int value, int extent) { return std::clamp(value, -EDGE, extent + EDGE - 1); }

// From one pixel before the rectangle's start to one pixel beyond its end.
static int across(int64_t start, int64_t length, uint8_t fraction) {
  return static_cast<int>(
      std::clamp<int64_t>(start - 1 + fraction * (length + 1) / 255, -EDGE - 1, 1 << 20));
}

static bool decodePoint(int where) {
  const uint8_t* b = nullptr;
  switch (where) {
    case ABSOLUTE:
      if (!take(4, &b)) return false;
      stream.x = (b[0] | b[1] << 8) % (screen->w + 2 * EDGE) - EDGE;
      stream.y = (b[2] | b[3] << 8) % (screen->h + 2 * EDGE) - EDGE;
      return true;
    case AIMED: {
      if (!take(3, &b)) return false;
      const int count = fuzzTargetCount();
      if (count <= 0) return true;
      const FuzzRect r = fuzzTarget(b[0] % count);
      stream.x = spanned(across(r.x, r.width, b[1]), screen->w);
      stream.y = spanned(across(r.y, r.height, b[2]), screen->h);
      return true;
    }
    case STEP:
      if (!take(2, &b)) return false;
      stream.x = spanned(stream.x + static_cast<int8_t>(b[0]), screen->w);
      stream.y = spanned(stream.y + static_cast<int8_t>(b[1]), screen->h);
      return true;
    default:
      return true;
  }
}

// Decodes the next event; false at the end of the stream. *more tells
// whether the following event joins it in the queue.
static bool decodeEvent(SDL_Event* e, bool* more) {
  const uint8_t* op = nullptr;
  const uint8_t* mask = nullptr;
  if (!take(1, &op)) return false;
  const int kind = *op & 3;
  if (kind == MASKED_MOTION && !take(1, &mask)) return false;
  const int previousX = stream.x;
  const int previousY = stream.y;
  if (!decodePoint(*op >> 6)) return false;
  *more = (*op & 0x20) != 0;
  *e = SDL_Event{};
  const auto x = static_cast<Uint16>(stream.x);
  const auto y = static_cast<Uint16>(stream.y);
  if (kind == PRESS || kind == RELEASE) {
    e->type = kind == PRESS ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e->button = {e->type,
                 0,
                 static_cast<Uint8>(1 + (*op >> 2 & 7) % 5),
                 static_cast<Uint8>(kind == PRESS ? SDL_PRESSED : SDL_RELEASED),
                 x,
                 y};
  } else {
    e->type = SDL_MOUSEMOTION;
    e->motion = {e->type,
                 0,
                 kind == DRAG ? static_cast<Uint8>(SDL_BUTTON_LMASK) : *mask,
                 x,
                 y,
                 static_cast<Sint16>(stream.x - previousX),
                 static_cast<Sint16>(stream.y - previousY)};
  }
  return true;
}

static void push(SDL_Event* e) {
  if (SDL_PushEvent(e) != 0) fuzzFault("SDL's queue refused an event: %s", SDL_GetError());
}

// Queues the next event of the stream with any that join it; false when the
// stream has run out.
static bool queueNextEvents() {
  SDL_Event e;
  bool more = true;
  for (int queued = 0; more && queued < MAX_BURST; ++queued) {
    if (!decodeEvent(&e, &more)) {
      stream.exhausted = true;
      return queued > 0;
    }
    push(&e);
    ++stream.events;
  }
  return true;
}

static void checkBetweenEvents() {
  if (lockDepth() != 0) fuzzFault("a drawing bracket is still open (%d locks)", lockDepth());
  checkProgramInvariants();
  stream.unchecked = false;
}

extern "C" void __wrap__Z9eventLoopv() {
  const bool outerFed = loopFed;
  loopFed = false;
  ++loopDepth;
  __real__Z9eventLoopv();
  --loopDepth;
  loopFed = outerFed;
  stream.unchecked = true;
}

// The stream feeds each eventLoop call, and an answer may be given without an
// event: a loop that waited before calling eventLoop would wait for ever. The
// loops run without waiting, as they do on eventLoop alone.
extern "C" bool __wrap__Z12waitForEventi(int) { return false; }

// Every poll follows the end of the previous event's handling (or starts a
// loop nested in it), so the checks run here.
extern "C" int __wrap_SDL_PollEvent(SDL_Event* event) {
  if (!stream.active) return __real_SDL_PollEvent(event);
  if (stream.unchecked) checkBetweenEvents();
  if (!loopFed) {
    loopFed = true;
    if (!queueNextEvents() && loopDepth > 1) {
      if (++stream.answers > MAX_ANSWERS) {
        fuzzFault("an event loop nested in a handler does not end when answered");
      }
      answerNestedLoop();
    }
  }
  const int polled = __real_SDL_PollEvent(event);
  if (polled != 0) stream.unchecked = true;
  return polled;
}

static void printTotals() {
  std::fprintf(stderr, "fuzz: %llu streams, %llu events\n", totals.streams, totals.events);
}

void runEventStream(const uint8_t* data, size_t size) {
  if (totals.streams == 0) std::atexit(printTotals);
  SDL_Event stale;
  while (__real_SDL_PollEvent(&stale) != 0) {
  }
  stream = Stream{data, size};
  stream.x = screen->w / 2;
  stream.y = screen->h / 2;
  checkBetweenEvents();
  stream.active = true;
  // The poll that ends each eventLoop call checks the event it handled last.
  while (quit == 0 && !stream.exhausted) eventLoop();
  stream.active = false;
  ++totals.streams;
  totals.events += stream.events;
}
