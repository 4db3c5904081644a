// A program whose views come from a layout saved by panelwright: gui.txt is
// included as the designer wrote it. Dragging a slider sets the meters and the
// number view to its value; the button puts every slider back to the middle.
#include <kiosktk/toolkit.h>

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[80];
const int viewListSlots = 80;

// The designer's canvas starts at (20, 20) on its screen; this program's
// screen is the canvas, so every saved position moves up and left by 20.
static constexpr int CANVAS_OFFSET = 20;
static constexpr int MIDDLE = 50;

static void createSavedViews() {
#include "gui.txt"
}

static bool isMeter(const View* view) {
  return view->type == VIEW_VMETER || view->type == VIEW_HMETER;
}

static bool isSlider(const View* view) {
  return view->type == VIEW_VSLIDER || view->type == VIEW_HSLIDER;
}

// Meters and number views show the value; sliders are left as they are.
static void showReading(int current) {
  for (int i = 0; i < noOfViews(); ++i) {
    View* view = getView(i);
    if (isMeter(view)) setMeterValue(view, current);
    if (view->type == VIEW_NUMVIEW) view->value = current;
  }
}

static void redrawReadings() {
  for (int i = 0; i < noOfViews(); ++i) {
    View* view = getView(i);
    if (isMeter(view) || view->type == VIEW_NUMVIEW) drawView(view);
  }
}

void sliderMoveEvent(View* slider) {
  showReading(packedCurrent(slider->value));
  redrawReadings();
}

void buttonUpEvent(View*) {
  for (int i = 0; i < noOfViews(); ++i) {
    View* view = getView(i);
    if (!isSlider(view)) continue;
    setSliderValue(view, MIDDLE);
    drawView(view);
  }
  showReading(MIDDLE);
  redrawReadings();
}

void buttonDownEvent(View*) {}
void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void drawGraphicView(View*) {}

int main() {
  newLabel(400, 600, 0, 0, "");  // catches releases away from the views
  const int firstSaved = noOfViews();
  createSavedViews();
  for (int i = firstSaved; i < noOfViews(); ++i) {
    getView(i)->xpos -= CANVAS_OFFSET;
    getView(i)->ypos -= CANVAS_OFFSET;
  }
  showReading(MIDDLE);
  setPresentation(Presentation::PER_EVENT);
  initGraphics();
  fillScreen(0xF0F0F0);
  drawAllViews();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
