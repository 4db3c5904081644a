#include "tintpad.h"

PadView* background;
PadView* display;
PadView* button1;
PadView* button2;
PadView* button3;
PadView* button4;

static constexpr int DARK_GREY = 0x505050;
static constexpr int WHITE = 0xFFFFFF;
static constexpr int RED = 0xFF0000;
static constexpr int GREEN = 0x00FF00;
static constexpr int BLUE = 0x0000FF;
static constexpr int LIGHT_GREY = 0xB4B4B4;

void startTintpad() {
  background = insertView(400, 600, 0, 0);
  display = insertView(350, 80, 30, 150);
  button1 = insertView(80, 80, 30, 250);
  button2 = insertView(80, 80, 120, 250);
  button3 = insertView(80, 80, 210, 250);
  button4 = insertView(80, 80, 300, 250);

  initgraphics();
  fillView(background, DARK_GREY);
  fillView(display, WHITE);
  fillView(button1, RED);
  fillView(button2, GREEN);
  fillView(button3, BLUE);
  fillView(button4, LIGHT_GREY);
}

void viewDownEvent(int x, int y) {
  PadView* view = findView(x, y);
  if (view == background) quit = 1;
  if (view == display) fillView(display, WHITE);
  if (view == button1) fillView(display, RED);
  if (view == button2) fillView(display, GREEN);
  if (view == button3) fillView(display, BLUE);
  if (view == button4) fillView(display, LIGHT_GREY);
}
