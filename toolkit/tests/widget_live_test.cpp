// Timers and watched files, served by eventLoop and waking waitForEvent. The
// toolkit's clock is wrapped at link time, so that the timer cases run on a
// clock the test sets; the waits run on the real one.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "rig.h"

namespace {
int64_t fakeNowMs = -1;
}  // namespace

extern "C" {
int64_t __real__Z14toolkitClockMsv();
int64_t __wrap__Z14toolkitClockMsv() {
  return fakeNowMs >= 0 ? fakeNowMs : __real__Z14toolkitClockMsv();
}
}

namespace {

class Live : public ScreenTest {
 protected:
  void TearDown() override {
    for (int id : timers) removeTimer(id);
    for (int fd : fds) {
      unwatchFile(fd);
      close(fd);
    }
    fakeNowMs = -1;
    ScreenTest::TearDown();
  }
  int timer(int periodMs, TimerHandler handler, void* data) {
    const int id = addTimer(periodMs, handler, data);
    timers.push_back(id);
    return id;
  }
  // A pipe whose ends the test closes: {read end, write end}.
  std::vector<int> pipeEnds() {
    int ends[2];
    EXPECT_EQ(pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
    fds.insert(fds.end(), {ends[0], ends[1]});
    return {ends[0], ends[1]};
  }
  std::vector<int> timers;
  std::vector<int> fds;
};

void count(void* data) { ++*static_cast<int*>(data); }

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// A timer of 10 ms added at 1000: its calls are due at 1010, 1020, ..., on
// time or late; one that ran late skips the calls it missed.
TEST_F(Live, TimersKeepToTheirPeriodAndSkipMissedCalls) {
  struct Step {
    int64_t now;
    int calls;
  };
  constexpr Step steps[] = {
      {1009, 0}, {1010, 1}, {1015, 1}, {1025, 2}, {1029, 2},  // 1020 came late, 1030 stays
      {1030, 3}, {1075, 4}, {1079, 4}, {1080, 5},             // 1040 to 1070 are skipped
      {1080, 5}, {1090, 6},
  };
  fakeNowMs = 1000;
  int calls = 0;
  ASSERT_GT(timer(10, count, &calls), 0);
  for (const Step& step : steps) {
    fakeNowMs = step.now;
    eventLoop();
    EXPECT_EQ(calls, step.calls) << "at " << step.now;
  }
}

struct SelfRemoving {
  int id = 0;
  int calls = 0;
  int added = 0;
};

void removeItselfAndAddAnother(void* data) {
  auto* timer = static_cast<SelfRemoving*>(data);
  ++timer->calls;
  EXPECT_TRUE(removeTimer(timer->id));
  timer->added = addTimer(5, count, &timer->calls);
}

TEST_F(Live, AHandlerMayRemoveItsOwnTimerAndAddAnother) {
  fakeNowMs = 0;
  SelfRemoving removing;
  removing.id = timer(10, removeItselfAndAddAnother, &removing);
  fakeNowMs = 10;
  eventLoop();
  EXPECT_EQ(removing.calls, 1);
  timers.push_back(removing.added);
  EXPECT_FALSE(removeTimer(removing.id)) << "removed already";
  fakeNowMs = 14;
  eventLoop();
  EXPECT_EQ(removing.calls, 1) << "the new timer is due 5 ms after it was added";
  fakeNowMs = 15;
  eventLoop();
  EXPECT_EQ(removing.calls, 2);
}

TEST_F(Live, TimersAreRefusedBelowOneMillisecondAndBeyondTheirNumber) {
  int calls = 0;
  EXPECT_EQ(addTimer(0, count, &calls), 0);
  EXPECT_EQ(addTimer(-5, count, &calls), 0);
  EXPECT_EQ(addTimer(10, nullptr, &calls), 0);
  for (int i = 0; i < MOST_TIMERS; ++i) EXPECT_GT(timer(1000, count, &calls), 0);
  EXPECT_EQ(addTimer(1000, count, &calls), 0);
  EXPECT_FALSE(removeTimer(0));
}

struct PipeReader {
  std::vector<char> read;
  int calls = 0;
  bool ended = false;
};

void readPipe(int fd, void* data) {
  auto* reader = static_cast<PipeReader*>(data);
  ++reader->calls;
  char buffer[16];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n > 0) reader->read.insert(reader->read.end(), buffer, buffer + n);
  if (n == 0) {
    reader->ended = true;
    EXPECT_TRUE(unwatchFile(fd));
  }
}

TEST_F(Live, AWatchedPipeIsServedWhenWrittenAndAtItsEnd) {
  const std::vector<int> ends = pipeEnds();
  PipeReader reader;
  EXPECT_FALSE(watchFile(-1, readPipe, &reader));
  ASSERT_TRUE(watchFile(ends[0], readPipe, &reader));
  eventLoop();
  EXPECT_EQ(reader.calls, 0) << "nothing written";
  ASSERT_EQ(write(ends[1], "21.5", 4), 4);
  eventLoop();
  EXPECT_EQ(reader.read, (std::vector<char>{'2', '1', '.', '5'}));
  close(ends[1]);
  fds.pop_back();
  eventLoop();
  EXPECT_TRUE(reader.ended);
  EXPECT_EQ(reader.calls, 2);
  EXPECT_FALSE(unwatchFile(ends[0]));
}

// The dummy driver has no connection to wait on: the wait looks every few
// milliseconds, and still returns as soon as a timer is due or a file can be read.
TEST_F(Live, WaitingEndsForADueTimerAndForAWrittenPipe) {
  int calls = 0;
  timer(30, count, &calls);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(waitForEvent(5000));
  EXPECT_LT(msSince(start), 2000);
  EXPECT_GE(msSince(start), 29);
  EXPECT_EQ(calls, 0) << "the loop serves the timer, not the wait";
  eventLoop();
  EXPECT_EQ(calls, 1);
  removeTimer(timers.back());

  const std::vector<int> ends = pipeEnds();
  PipeReader reader;
  ASSERT_TRUE(watchFile(ends[0], readPipe, &reader));
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(write(ends[1], "x", 1), 1);
  });
  start = std::chrono::steady_clock::now();
  EXPECT_FALSE(waitForEvent(5000));
  EXPECT_LT(msSince(start), 2000);
  writer.join();
  eventLoop();
  EXPECT_EQ(reader.read, std::vector<char>{'x'});
}

}  // namespace
