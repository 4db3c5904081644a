#include <algorithm>
#include <cstdio>
#include <iterator>

#include "designer.h"

int viewNumber(const View* v) {
  for (int i = 0; i < noOfViews(); ++i) {
    if (getView(i) == v) return i;
  }
  return -1;
}

bool isUserView(const View* v) { return viewNumber(v) > noOfFixViews; }

int snapToGrid(int coordinate) { return coordinate / grid * grid; }

static bool isLivePaletteOverlay(const View* v) {
  const View* const live[] = {labelview,  buttonview,  numviewview, hmeterview,
                              vmeterview, hsliderview, vsliderview, graphicviewview};
  return std::ranges::find(live, v) != std::end(live);
}

// A drag of the whole window or the empty canvas has no picture to move.
static bool selectionHasPicture() {
  return tempptr != nullptr && tempptr != window && tempptr != drawarea;
}

void markActiveView() {
  if (!selectionHasPicture()) return;
  drawRectangle(tempptr->width, tempptr->height, tempptr->xpos, tempptr->ypos, 3, LIGHT_GREY);
}

// The grab offset lives in the overlay's colour fields, which are never drawn.
static void startDrag(View* overlay, int x, int y) {
  overlay->background = snapToGrid(x);
  overlay->foreground = snapToGrid(y);
  tempptr = overlay;
}

static void captureSelection() {
  getIBuff(tempptr->width, tempptr->height, tempptr->xpos, tempptr->ypos);
  getJBuff(tempptr->width, tempptr->height, tempptr->xpos, tempptr->ypos);
}

static constexpr int RESIZE_ZONE = 4;

void viewDownEvent(View* v, int x, int y) {
  if (v == window || v == drawarea) {
    tempptr = v;
  } else if (isLivePaletteOverlay(v)) {
    startDrag(v, x, y);
    captureSelection();
  } else if (isUserView(v)) {
    startDrag(v, x, y);
    widthflag = v->width - x <= RESIZE_ZONE ? 1 : 0;
    heightflag = v->height - y <= RESIZE_ZONE ? 1 : 0;
    captureSelection();
  }
}

namespace {
struct Point {
  int x;
  int y;
};
}  // namespace

// Where the selected view's top-left corner goes when its grab point follows
// the snapped pointer.
static Point targetPosition(const View* v, int x, int y) {
  return {snapToGrid(x + v->xpos) - tempptr->background,
          snapToGrid(y + v->ypos) - tempptr->foreground};
}

void viewMotionEvent(View* v, int x, int y) {
  if (!selectionHasPicture()) return;
  const Point target = targetPosition(v, x, y);
  drawJBuff(jbuffsizex, jbuffsizey, jbuffposx, jbuffposy);
  getJBuff(ibuffsizex, ibuffsizey, target.x, target.y);
  drawIBuff(ibuffsizex, ibuffsizey, target.x, target.y);
  widthnum->value = tempptr->width;
  heightnum->value = tempptr->height;
  xposnum->value = target.x;
  yposnum->value = target.y;
}

// The toolkit registers at most viewListSlots - 1 views, and every placed view
// needs two: the widget and its overlay.
static bool layoutHasRoom() {
  if (noOfViews() + 2 <= viewListSlots - 1) return true;
  std::fputs("The layout is full: no room for another view\n", stderr);
  return false;
}

// Places a copy of the widget with its overlay and selects the overlay.
static View* placeCopy(const View* widget, int x, int y) {
  View* copy = insertView(widget->type, widget->width, widget->height, x, y, widget->id,
                          widget->text, widget->border, widget->background, widget->foreground,
                          widget->value, STATUS_SHOWN);
  View* overlay = newView(widget->width, widget->height, x, y);
  overlay->value = noOfViews() - 2;
  tempptr = overlay;
  return copy;
}

static void moveOrResize(View* widget, Point target) {
  if (widthflag == 0 && heightflag == 0) {
    widget->xpos = tempptr->xpos = target.x;
    widget->ypos = tempptr->ypos = target.y;
    return;
  }
  if (widthflag == 1) {
    widget->width = tempptr->width = keptSize(widget->width + target.x - widget->xpos);
  }
  if (heightflag == 1) {
    widget->height = tempptr->height = keptSize(widget->height + target.y - widget->ypos);
  }
}

void viewUpEvent(View* v, int x, int y) {
  if (tempptr == nullptr) return;
  const Point target = targetPosition(v, x, y);
  const View* shown = v == drawarea ? drawarea : getView(tempptr->value);
  if (isStepper(v)) {
    applyStepper(v);
  } else if (isLivePaletteOverlay(tempptr)) {
    if (layoutHasRoom()) shown = placeCopy(getView(tempptr->value), target.x, target.y);
  } else if (isUserView(tempptr)) {
    View* widget = getView(tempptr->value);
    moveOrResize(widget, target);
    shown = widget;
  }
  showProperties(shown);
  redrawAllViews();
  markActiveView();
}

void copySelectedView() {
  if (!layoutHasRoom()) return;
  const View* widget = getView(tempptr->value);
  placeCopy(widget, widget->xpos + 10, widget->ypos + 10);
  redrawAllViews();
}

void deleteSelectedView() {
  tempptr->status = STATUS_HIDDEN;
  getView(tempptr->value)->status = STATUS_HIDDEN;
  redrawAllViews();
}
