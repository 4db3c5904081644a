#include "tintpad.h"

PadView* background;
PadView* display;
PadView* button1;
PadView* button2;
PadView* button3;
PadView* button4;

static constexpr int darkGrey = 0x505050;
static constexpr int white = 0xFFFFFF;
static constexpr int red = 0xFF0000;
static constexpr int green = 0x00FF00;
static constexpr int blue = 0x0000FF;
static constexpr int lightGrey = 0xB4B4B4;

void startTintpad() {
  background = insertView(400, 600, 0, 0);
  display = insertView(350, 80, 30, 150);
  button1 = insertView(80, 80, 30, 250);
  button2 = insertView(80, 80, 120, 250);
  button3 = insertView(80, 80, 210, 250);
  button4 = insertView(80, 80, 300, 250);

  initgraphics();
  fillView(background, darkGrey);
  fillView(display, white);
  fillView(button1, red);
  fillView(button2, green);
  fillView(button3, blue);
  fillView(button4, lightGrey);
}

void viewDownEvent(int x, int y) {
  PadView* view = findView(x, y);
  if (view == background) quit = 1;
  if (view == display) fillView(display, white);
  if (view == button1) fillView(display, red);
  if (view == button2) fillView(display, green);
  if (view == button3) fillView(display, blue);
  if (view == button4) fillView(display, lightGrey);
}
