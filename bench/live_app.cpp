// A live panel for the program benchmark: a clock label redrawn by a timer of
// the period given as its argument, and a label showing what is written into
// the FIFO "feed" in its folder. Each timer call writes how late it came, in
// microseconds, to standard error as "late N".
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "toolkit.h"

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[8];
const int viewListSlots = 8;

static int64_t periodUs = 1'000'000;
static int64_t startUs = 0;
static int64_t calls = 0;
static View* clockLabel;
static View* feedLabel;

static int64_t monotonicUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
}

static void tick(void*) {
  ++calls;
  std::fprintf(stderr, "late %lld\n",
               static_cast<long long>(monotonicUs() - (startUs + calls * periodUs)));
  char text[24];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(calls));
  setViewText(clockLabel, text);
}

static void readFeed(int fd, void*) {
  char text[VIEW_TEXT_LENGTH + 1];
  const ssize_t n = read(fd, text, VIEW_TEXT_LENGTH);
  if (n <= 0) return;
  text[n] = '\0';
  setViewText(feedLabel, text);
}

void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void buttonDownEvent(View*) {}
void buttonUpEvent(View*) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}

int main(int argc, char** argv) {
  const int periodMs = argc > 1 ? std::atoi(argv[1]) : 1000;
  periodUs = int64_t{periodMs} * 1000;
  clockLabel = newLabel(200, 24, 20, 20, "0");
  feedLabel = newLabel(200, 24, 20, 60, "");
  mkfifo("feed", 0600);
  // Opened for reading and writing, so that a writer closing it is no end.
  const int feed = open("feed", O_RDWR | O_NONBLOCK | O_CLOEXEC);
  setPresentation(Presentation::PER_EVENT);
  initGraphics();
  fillScreen(0xFFFFFF);
  drawAllViews();
  startUs = monotonicUs();
  addTimer(periodMs, tick, nullptr);
  if (feed >= 0) watchFile(feed, readFeed, nullptr);
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
