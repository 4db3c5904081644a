// The every-kind layout as a program made of its constructor calls: the saved
// lines pasted into main, the designer's canvas offset taken off, on the
// canvas's white. The preview of the same file must show exactly this screen.
//
//   panelpeek_compiled_layout [COUNT]   only the first COUNT lines (all by default)
#include <cstdlib>

#include "toolkit.h"

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[120];
const int viewListSlots = 120;

// Graphic views are drawn by the designer's placeholder, linked in beside.
void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void buttonDownEvent(View*) {}
void buttonUpEvent(View*) {}
void sliderMoveEvent(View*) {}

static void createLayout() {
#include "every_kind_layout.inc"
}

int main(int argc, char** argv) {
  createLayout();
  const int kept = argc > 1 ? std::atoi(argv[1]) : noOfViews();
  for (int i = 0; i < noOfViews(); ++i) {
    View* view = getView(i);
    view->xpos -= 20;
    view->ypos -= 20;
    // Neither drawn nor hit: as if its line were not in the program.
    if (i >= kept) view->status = STATUS_HIDDEN;
  }
  initGraphics();
  fillScreen(0xFFFFFF);
  drawAllViews();
  while (quit == 0) eventLoop();
  SDL_Quit();
  return 0;
}
