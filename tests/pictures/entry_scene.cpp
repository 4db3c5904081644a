// A small program for the pictures of the keypad and the keyboard and for the
// end-to-end case of both: a logo, a setpoint, a name and two buttons that
// open the keypad and the keyboard. Each answer is written to standard error.
#include <cstdio>

#include "toolkit.h"

const int screenWidth = 320;
const int screenHeight = 240;
View* viewList[16];
const int viewListSlots = 16;

static constexpr int32_t NUMBER_BUTTON = 1;
static constexpr int32_t TEXT_BUTTON = 2;

static View* setpointView;
static View* nameView;
static int setpoint = 21;
static char name[VIEW_TEXT_LENGTH + 1] = "Lobby";

void buttonUpEvent(View* view) {
  if (view->id == NUMBER_BUTTON && enterNumber("Setpoint", &setpoint, -10, 40)) {
    setpointView->value = setpoint;
    drawView(setpointView);
    std::fprintf(stderr, "number %d\n", setpoint);
  }
  if (view->id == TEXT_BUTTON && enterText("Name", name, sizeof name)) {
    std::snprintf(nameView->text, sizeof nameView->text, "%s", name);
    drawView(nameView);
    std::fprintf(stderr, "text %s\n", name);
  }
}
void buttonDownEvent(View*) {}
void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}

int main() {
  newLabel(screenWidth, screenHeight, 0, 0, "");
  setpointView = newNumView(120, 32, 184, 24);
  setpointView->value = setpoint;
  nameView = newLabel(216, 24, 88, 96, name);
  newButton(136, 48, 16, 176, NUMBER_BUTTON, "Setpoint");
  newButton(136, 48, 168, 176, TEXT_BUTTON, "Name");
  setPresentation(Presentation::PER_EVENT);
  initGraphics();
  fillScreen(0xF0F0F0);
  drawAllViews();
  Image* logo = loadImage(LOGO_PNG);
  if (logo == nullptr) {
    std::fprintf(stderr, "%s: %s\n", LOGO_PNG, imageError());
    return 1;
  }
  drawImage(logo, 8, 8);
  freeImage(logo);
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
