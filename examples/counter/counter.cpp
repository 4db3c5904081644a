// A counter: each release of the button adds one to the number shown.
#include <kiosktk/toolkit.h>

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[80];
const int viewListSlots = 80;

static View* counter;

void buttonUpEvent(View*) {
  counter->value += 1;
  drawView(counter);  // views are redrawn by the program after a change
}
void buttonDownEvent(View*) {}
void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}

int main() {
  newLabel(400, 600, 0, 0, "");  // catches releases away from the button
  counter = newNumView(160, 32, 120, 200);
  newButton(160, 40, 120, 260, 1, "Count");
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
