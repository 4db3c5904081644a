#include "shapescope.h"

#include <cmath>
#include <cstring>

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[80];
const int viewListSlots = 80;

int32_t nsides = 4;

View* incbutton = nullptr;
View* decbutton = nullptr;
View* polysides = nullptr;
View* polyangles = nullptr;
View* polytype = nullptr;
View* shapescope = nullptr;

static constexpr int SCREEN_COLOUR = 0xF0F0F0;
static constexpr int FRAME_COLOUR = 0x505050;
static constexpr int EDGE_COLOUR = 0x141414;
static constexpr int POLYGON_FILL = 0xFF0000;
static constexpr int POLYGON_GROUND = 0x808080;
// Slightly less than a full turn, so the closing vertex may land a pixel
// beside the first one; the picture keeps that.
static constexpr float FULL_TURN = 6.283184f;

void createViews() {
  // Covers the window so that releases away from the buttons land on a view
  // and only the top row and left column end the program.
  newView(400, 600, 0, 0);
  incbutton = newButton(120, 40, 230, 190, 1, "Increase");
  decbutton = newButton(120, 40, 50, 190, 2, "Decrease");
  newLabel(240, 35, 50, 50, "Number of sides:");
  newLabel(240, 35, 50, 90, "Angles (degrees):");
  newLabel(240, 35, 50, 130, "Polygon type:");
  polysides = newLabel(35, 35, 250, 50, "");
  polyangles = newLabel(40, 35, 260, 90, "");
  polytype = newLabel(120, 32, 210, 130, "");
  shapescope = newGraphicView(300, 300, 50, 260);
  shapescope->foreground = POLYGON_FILL;
  shapescope->background = POLYGON_GROUND;
}

void drawStartScreen() {
  drawBackground();
  drawAllViews();
  updateViews();
}

void startShapescope() {
  createViews();
  initGraphics();
  drawStartScreen();
}

void drawBackground() {
  fillScreen(SCREEN_COLOUR);
  drawRectangle(360, 560, 20, 20, 5, FRAME_COLOUR);
}

void updateViews() {
  intToString(polysides->text, nsides);
  intToString(polyangles->text, (nsides * 180 - 360) / nsides);
  std::strcpy(polytype->text, polynames[nsides - MIN_SIDES]);
  shapescope->value = nsides;

  // Labels have no fill of their own, so the old text would show through.
  fillView(polysides, SCREEN_COLOUR);
  fillView(polyangles, SCREEN_COLOUR);
  fillView(polytype, SCREEN_COLOUR);

  drawView(polysides);
  drawView(polyangles);
  drawView(polytype);
  drawView(shapescope);
  drawView(incbutton);
  drawView(decbutton);
}

struct Vertex {
  int x;
  int y;
};

static Vertex vertexAt(int cx, int cy, float radius, double angle) {
  return {static_cast<int>(cx + radius * std::sin(angle)),
          static_cast<int>(cy - radius * std::cos(angle))};
}

void drawShapescope(View* view) {
  fillView(view, view->background);
  const int cx = view->xpos + view->width / 2;
  const int cy = view->ypos + view->height / 2;
  const int n = view->value;
  if (n > 0) {
    const auto radius = static_cast<float>(view->width * 0.9 / 2);
    const float step = FULL_TURN / static_cast<float>(n);
    const float start = n % 2 == 0 ? step / 2 : 0.0f;
    Vertex previous = vertexAt(cx, cy, radius, start);
    for (int i = 1; i <= n; ++i) {
      const Vertex next = vertexAt(cx, cy, radius, i * static_cast<double>(step) + start);
      drawLine(previous.x, previous.y, next.x, next.y, 1, EDGE_COLOUR);
      previous = next;
    }
  }
  fillArea(cx, cy, view->foreground);
}

void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void sliderMoveEvent(View*) {}

void drawGraphicView(View* view) {
  if (view == shapescope) drawShapescope(view);
}

// Both limits hold on every press, so a button left shown at its limit (its
// release landed elsewhere) still cannot push the count out of range.
void buttonDownEvent(View* view) {
  if (view == incbutton) ++nsides;
  if (nsides > MAX_SIDES) nsides = MAX_SIDES;
  if (view == decbutton) --nsides;
  if (nsides < MIN_SIDES) nsides = MIN_SIDES;
}

void buttonUpEvent(View*) {
  if (nsides == MIN_SIDES) {
    decbutton->status = STATUS_DISABLED;
    drawView(decbutton);
  } else {
    decbutton->status = STATUS_SHOWN;
  }
  if (nsides == MAX_SIDES) {
    incbutton->status = STATUS_DISABLED;
    drawView(incbutton);
  } else {
    incbutton->status = STATUS_SHOWN;
  }
  updateViews();
}
