// The toolkit's own side of timers, watched files and the wait on them.
#pragma once

#include <poll.h>

#include <cstdint>

// Milliseconds on the monotonic clock, which no change of the wall clock moves.
int64_t toolkitClockMs();

// Milliseconds until the next timer is due (0 when one is due now), or -1
// when no timer waits. A timer whose handler is running does not count.
int64_t msUntilNextTimer(int64_t now);
// Calls the handler of every timer due at now, once each.
void runDueTimers(int64_t now);

// Adds a poll entry for each watched file whose handler is not running, from
// set on; returns how many, at most room.
int addWatchedFiles(pollfd* set, int room);
// Calls the handler of each watched file that poll found readable or ended.
void serveWatchedFiles(const pollfd* set, int count);
// Looks at the watched files without waiting and serves those ready.
void serveReadyFiles();

// The file descriptor of the display's connection, which becomes readable when
// the display sends an event; -1 where there is none to wait on (no X
// display, or events already read from it and not yet taken).
int displayConnection();
