// SDL_PollEvent is wrapped at link time in the designer's tests: when the
// queue is empty while the alert waits for an answer, the next planned step
// runs and may queue events, which the same poll then returns.
#include <deque>
#include <functional>
#include <utility>

#include "designer_test.h"

static std::deque<std::function<void()>> steps;

extern "C" {
int __real_SDL_PollEvent(SDL_Event* polled);

int __wrap_SDL_PollEvent(SDL_Event* polled) {
  if (__real_SDL_PollEvent(polled) != 0) return 1;
  // The designer's views exist only while steps are planned. An answer given
  // in this round of the loop is not yet taken.
  if (steps.empty() || !alertIsUp() || okflag != 0 || cancelflag != 0) return 0;
  const std::function<void()> step = std::move(steps.front());
  steps.pop_front();
  step();
  return __real_SDL_PollEvent(polled);
}

// A step may answer by calling the designer's handler, with no event to wake
// a wait: the alert's loop polls without waiting, as on eventLoop alone.
bool __wrap__Z12waitForEventi(int) { return false; }
}

void whenWaiting(std::function<void()> step) { steps.push_back(std::move(step)); }

int dropWaitingSteps() {
  const int left = static_cast<int>(steps.size());
  steps.clear();
  return left;
}
