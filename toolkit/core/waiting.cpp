// Waiting for the next event, timer or watched file. On an X display one poll
// blocks on the display's connection, the watched files and the time of the
// next timer. SDL 1.2 itself can only wait without a time limit, so where no
// connection can be waited on the wait looks every few milliseconds instead.
#include <algorithm>

#include "live.h"
#include "presentation.h"
#include "toolkit.h"

// Long enough that an idle program costs next to nothing, short enough that no
// one feels it in a press.
static constexpr int POLL_PAUSE_MS = 4;

// An event that waitForEvent took from SDL's queue is kept in event until
// eventLoop dispatches it.
static bool eventHeld = false;

bool nextEvent() {
  presentScreen();
  if (eventHeld) {
    eventHeld = false;
    return true;
  }
  return SDL_PollEvent(&event) != 0;
}

// Blocks at most waitMs (no limit when negative) until the connection or a
// watched file can be read; true when a watched file can.
static bool waitForInput(int connection, int64_t waitMs) {
  pollfd set[1 + MOST_WATCHED_FILES];
  int count = 0;
  if (connection >= 0) set[count++] = {connection, POLLIN, 0};
  const int files = addWatchedFiles(set + count, MOST_WATCHED_FILES);
  const int timeout = waitMs < 0 ? -1 : static_cast<int>(std::min<int64_t>(waitMs, INT32_MAX));
  if (poll(set, static_cast<nfds_t>(count + files), timeout) <= 0) return false;
  for (int i = count; i < count + files; ++i) {
    if (set[i].revents != 0) return true;
  }
  return false;
}

// The shorter of two waits, where -1 stands for no limit.
static int64_t shorter(int64_t a, int64_t b) { return a < 0 ? b : b < 0 ? a : std::min(a, b); }

bool waitForEvent(int timeoutMs) {
  presentScreen();
  if (eventHeld) return true;
  const int64_t start = toolkitClockMs();
  while (true) {
    // Polling pumps SDL first: events made without traffic on the connection
    // (pushed by the program, or read from it already) are found here.
    if (SDL_PollEvent(&event) != 0) {
      eventHeld = true;
      return true;
    }
    const int64_t now = toolkitClockMs();
    const int64_t left = timeoutMs < 0 ? -1 : std::max<int64_t>(start + timeoutMs - now, 0);
    int64_t waitMs = shorter(left, msUntilNextTimer(now));
    if (waitMs == 0) return false;
    const int connection = displayConnection();
    if (connection < 0) waitMs = shorter(waitMs, POLL_PAUSE_MS);
    if (waitForInput(connection, waitMs)) return false;
  }
}
