// Run with: toolkit_draw_bench (no display needed). Each case reports, beside
// its time, x_memcpy: that time as a multiple of one memcpy of the whole
// screen, measured in the same run, so that results compare across machines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "designer.h"
#include "turning.h"

// Every exitGraphics flips the whole screen; the runtime's copy to the display
// is not the toolkit's drawing.
extern "C" int __wrap_SDL_Flip(SDL_Surface*) { return 0; }

// Processor time of this thread, so that other load on the machine does not
// count; in seconds.
static double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

static void openScreen() {
  if (screen != nullptr) return;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  initGraphics();
}

static size_t screenBytes() { return static_cast<size_t>(screen->pitch) * screen->h; }

// Processor seconds for one memcpy of the screen's pixels, the best of
// several rounds.
static double memcpySeconds() {
  static const double seconds = [] {
    std::vector<uint8_t> copy(screenBytes());
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
      constexpr int COPIES = 20;
      const double start = threadSeconds();
      for (int i = 0; i < COPIES; ++i) {
        std::memcpy(copy.data(), screen->pixels, copy.size());
        benchmark::ClobberMemory();
      }
      best = std::min(best, (threadSeconds() - start) / COPIES);
    }
    return best;
  }();
  return seconds;
}

// Runs the drawing once per iteration and reports it in memcpys of the screen.
template <typename Draw>
static void measure(benchmark::State& state, Draw draw) {
  const double baseline = memcpySeconds();
  const double start = threadSeconds();
  for (auto _ : state) {
    draw();
    benchmark::ClobberMemory();
  }
  state.counters["x_memcpy"] =
      benchmark::Counter((threadSeconds() - start) / baseline, benchmark::Counter::kAvgIterations);
}

static void screenMemcpy(benchmark::State& state) {
  openScreen();
  std::vector<uint8_t> copy(screenBytes());
  measure(state, [&] { std::memcpy(copy.data(), screen->pixels, copy.size()); });
}
BENCHMARK(screenMemcpy);

// The designer's start screen, drawn whole as after every drop or move.
static void designerRedraw(benchmark::State& state) {
  openScreen();
  if (noOfViews() == 0) {
    createFixedViews();
    noOfFixViews = noOfViews() - 1;
  }
  measure(state, [] { drawAllViews(); });
}
BENCHMARK(designerRedraw);

// Alternates two colours so that every pass repaints the whole screen.
static void fillWholeScreen(benchmark::State& state) {
  openScreen();
  fillScreen(0);
  int colour = 0;
  measure(state, [&] {
    colour ^= 0x00FFFFFF;
    fillArea(screenWidth / 2, screenHeight / 2, colour);
  });
}
BENCHMARK(fillWholeScreen);

static void textLine(benchmark::State& state) {
  openScreen();
  const auto size = static_cast<int>(state.range(0));
  measure(state, [size] {
    enterGraphics();
    drawText("The quick brown fox jumps over 1234567890", 4, 300, size, 0x0000FF00);
    exitGraphics();
  });
}
BENCHMARK(textLine)->Arg(1)->Arg(2)->Arg(3);

static void diagonalLine(benchmark::State& state) {
  openScreen();
  const auto thickness = static_cast<int>(state.range(0));
  measure(state, [thickness] {
    drawLine(0, 0, screenWidth - 1, screenHeight - 1, thickness, 0x00FFFFFF);
  });
}
BENCHMARK(diagonalLine)->Arg(1)->Arg(3)->Arg(5);

static void lineMostlyOffTheSurface(benchmark::State& state) {
  openScreen();
  measure(state, [] { drawLine(-1000000000, -999999000, 1000000000, 1000001000, 1, 0x00FFFFFF); });
}
BENCHMARK(lineMostlyOffTheSurface);

// One presentation's turn of a panel's screen into its window: the program's
// width and height, the angle and the scale. Reported beside the time in
// milliseconds, which is what a presentation costs on top of its flip.
static void turnScreen(benchmark::State& state) {
  openScreen();
  const PlaneSize program = {static_cast<int32_t>(state.range(0)),
                             static_cast<int32_t>(state.range(1))};
  const Turn turn = {static_cast<int32_t>(state.range(2)), static_cast<int32_t>(state.range(3))};
  const PlaneSize shown = turnedSize(program, turn);
  std::vector<uint32_t> from(static_cast<size_t>(program.width) * program.height, 0x00123456);
  std::vector<uint32_t> to(static_cast<size_t>(shown.width) * shown.height);
  const PixelPlane source = {from.data(), program.width, program.height, program.width};
  const PixelPlane target = {to.data(), shown.width, shown.height, shown.width};
  const double start = threadSeconds();
  measure(state, [&] { turnPlane(source, target, turn); });
  state.counters["ms"] =
      benchmark::Counter((threadSeconds() - start) * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(turnScreen)
    ->ArgNames({"w", "h", "degrees", "scale"})
    ->ArgsProduct({{400}, {600}, {0, 90, 180, 270}, {1, 2}})
    ->ArgsProduct({{800}, {480}, {0, 90, 180, 270}, {1, 2}});

BENCHMARK_MAIN();
