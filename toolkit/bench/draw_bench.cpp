// Run with: toolkit_draw_bench (no display needed).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "toolkit.h"

const int screenWidth = 710;
const int screenHeight = 640;
View* viewList[120];
const int viewListSlots = 120;

void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void buttonDownEvent(View*) {}
void buttonUpEvent(View*) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}

static void openScreen() {
  if (screen != nullptr) return;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  initGraphics();
}

static void diagonalLine(benchmark::State& state) {
  openScreen();
  const auto thickness = static_cast<int>(state.range(0));
  for (auto _ : state) drawLine(0, 0, screenWidth - 1, screenHeight - 1, thickness, 0x00FFFFFF);
}
BENCHMARK(diagonalLine)->Arg(1)->Arg(3)->Arg(5);

static void lineMostlyOffTheSurface(benchmark::State& state) {
  openScreen();
  for (auto _ : state) drawLine(-1000000000, -999999000, 1000000000, 1000001000, 1, 0x00FFFFFF);
}
BENCHMARK(lineMostlyOffTheSurface);

// Alternates two colours so that every pass repaints the whole area.
static void fillWholeScreen(benchmark::State& state) {
  openScreen();
  fillScreen(0);
  int colour = 0;
  for (auto _ : state) {
    colour ^= 0x00FFFFFF;
    fillArea(screenWidth / 2, screenHeight / 2, colour);
  }
}
BENCHMARK(fillWholeScreen);

static void textLine(benchmark::State& state) {
  openScreen();
  const auto size = static_cast<int>(state.range(0));
  for (auto _ : state)
    drawText("The quick brown fox jumps over 1234567890", 4, 300, size, 0x0000FF00);
}
BENCHMARK(textLine)->Arg(1)->Arg(2)->Arg(3);

BENCHMARK_MAIN();
