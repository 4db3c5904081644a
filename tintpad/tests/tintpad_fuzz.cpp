// Event-stream fuzzing of the colour pad: whatever the pointer does, the
// screen keeps its start picture except for the display strip, which shows
// one of the five colours it can be painted with.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "event_stream.h"
#include "tintpad.h"

static constexpr uint32_t DISPLAY_COLOURS[] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xB4B4B4};

static std::vector<uint32_t> startPicture;

static const uint32_t* row(int y) {
  return static_cast<const uint32_t*>(screen->pixels) + y * (screen->pitch / 4);
}

static bool equalSpan(const uint32_t* a, const uint32_t* b, int64_t count) {
  return count <= 0 || std::memcmp(a, b, static_cast<size_t>(count) * sizeof *a) == 0;
}

static void checkRow(int y, uint32_t shown) {
  const uint32_t* pixels = row(y);
  const uint32_t* expected = startPicture.data() + static_cast<size_t>(y) * screen->w;
  const bool crossesDisplay = y >= display->ypos && y < display->ypos + display->height;
  const int left = crossesDisplay ? display->xpos : screen->w;
  const int right = crossesDisplay ? display->xpos + display->width : screen->w;
  if (!equalSpan(pixels, expected, left) ||
      !equalSpan(pixels + right, expected + right, screen->w - right) ||
      !std::all_of(pixels + left, pixels + right, [shown](uint32_t p) { return p == shown; })) {
    fuzzFault("row %d differs from the start picture outside a display of 0x%06X", y, shown);
  }
}

int fuzzTargetCount() { return noOfViews(); }

FuzzRect fuzzTarget(int index) {
  const PadView* v = getView(index);
  return {v->xpos, v->ypos, v->width, v->height};
}

void checkProgramInvariants() {
  if (noOfViews() != 6) fuzzFault("the pad has %d views, not its 6", noOfViews());
  const uint32_t shown = row(display->ypos)[display->xpos];
  bool known = false;
  for (uint32_t colour : DISPLAY_COLOURS) known = known || shown == colour;
  if (!known) fuzzFault("the display shows 0x%06X, which no square paints", shown);
  for (int y = 0; y < screen->h; ++y) checkRow(y, shown);
}

// The pad has no nested loop to answer.
void answerNestedLoop() {}

static void startPad() {
  for (int i = 0; i < noOfViews(); ++i) delete getView(i);
  no_of_views = 0;
  quit = 0;
  startTintpad();
  if (!startPicture.empty()) return;
  for (int y = 0; y < screen->h; ++y)
    startPicture.insert(startPicture.end(), row(y), row(y) + screen->w);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  startPad();
  runEventStream(data, size);
  return 0;
}
