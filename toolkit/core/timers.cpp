// Timers, called from the program's own loop: each keeps the time of its next
// call, which moves on by whole periods so that calls do not drift.
#include "live.h"
#include "toolkit.h"

namespace {
struct Timer {
  int32_t id;  // 0 for a free slot
  int32_t periodMs;
  int64_t dueMs;
  TimerHandler handler;
  void* data;
  bool running;  // its handler has not returned yet
};
}  // namespace

static Timer timers[MOST_TIMERS];
static int32_t lastTimerId = 0;

static bool timerIdInUse(int32_t id) {
  for (const Timer& timer : timers) {
    if (timer.id == id) return true;
  }
  return false;
}

// Ids are not given again soon after their timer is removed, so that removing
// a timer twice cannot remove a newer one.
static int32_t newTimerId() {
  do {
    lastTimerId = lastTimerId == INT32_MAX ? 1 : lastTimerId + 1;
  } while (timerIdInUse(lastTimerId));
  return lastTimerId;
}

int addTimer(int periodMs, TimerHandler handler, void* data) {
  if (periodMs < 1 || handler == nullptr) return 0;
  for (Timer& timer : timers) {
    if (timer.id != 0) continue;
    timer = {newTimerId(), periodMs, toolkitClockMs() + periodMs, handler, data, false};
    return timer.id;
  }
  return 0;
}

bool removeTimer(int id) {
  if (id <= 0) return false;
  for (Timer& timer : timers) {
    if (timer.id != id) continue;
    timer.id = 0;
    return true;
  }
  return false;
}

int64_t msUntilNextTimer(int64_t now) {
  int64_t soonest = -1;
  for (const Timer& timer : timers) {
    if (timer.id == 0 || timer.running) continue;
    const int64_t wait = timer.dueMs > now ? timer.dueMs - now : 0;
    if (soonest < 0 || wait < soonest) soonest = wait;
  }
  return soonest;
}

// The next call is due one period after this one; if that time has passed
// too, the calls missed are skipped to the first one still ahead.
static void moveOn(Timer& timer, int64_t now) {
  timer.dueMs += timer.periodMs;
  if (timer.dueMs <= now)
    timer.dueMs += ((now - timer.dueMs) / timer.periodMs + 1) * timer.periodMs;
}

void runDueTimers(int64_t now) {
  for (Timer& timer : timers) {
    if (timer.id == 0 || timer.running || timer.dueMs > now) continue;
    moveOn(timer, now);
    const int32_t id = timer.id;
    timer.running = true;
    timer.handler(timer.data);
    // The handler may have removed its timer, and another may hold the slot now.
    if (timer.id == id) timer.running = false;
  }
}
