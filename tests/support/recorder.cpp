#include "recorder.h"

std::vector<std::string> recordedCalls;
std::function<void(View*)> onCallback;

void clearRecordedCalls() {
  recordedCalls.clear();
  onCallback = nullptr;
}

static int positionOf(const View* view) {
  for (int i = 0; i < viewListSlots; ++i) {
    if (viewList[i] == view) return i;
  }
  return -1;
}

static void record(const std::string& name, View* view, const std::string& tail = "") {
  recordedCalls.push_back(name + " " + std::to_string(positionOf(view)) + tail);
  if (onCallback) onCallback(view);
}

static std::string at(int x, int y) { return " " + std::to_string(x) + " " + std::to_string(y); }

void viewDownEvent(View* view, int x, int y) { record("viewDown", view, at(x, y)); }
void viewUpEvent(View* view, int x, int y) { record("viewUp", view, at(x, y)); }
void viewMotionEvent(View* view, int x, int y) { record("viewMotion", view, at(x, y)); }
void buttonDownEvent(View* view) { record("buttonDown", view); }
void buttonUpEvent(View* view) { record("buttonUp", view); }
void sliderMoveEvent(View* view) { record("sliderMove", view); }
void drawGraphicView(View* view) { record("drawGraphic", view); }
