// Direct manipulation: a press picks up a palette entry or a placed view, a
// drag moves its picture, the release places, moves or resizes; Copy and Delete.
#include "designer.h"

// The grab offset lives in the overlay's colour fields, which are never drawn.
static void startDrag(View* overlay, int x, int y) {
  overlay->background = snapToGrid(x);
  overlay->foreground = snapToGrid(y);
  tempptr = overlay;
  dragging = true;
}

static void captureSelection() {
  getIBuff(tempptr->width, tempptr->height, tempptr->xpos, tempptr->ypos);
  getJBuff(tempptr->width, tempptr->height, tempptr->xpos, tempptr->ypos);
}

static constexpr int RESIZE_ZONE = 4;

void viewDownEvent(View* v, int x, int y) {
  finishEditing();
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

// Places a copy of the widget with its overlay and selects the overlay.
static View* placeCopy(const View* widget, int x, int y) {
  tempptr = placeUserView(widget, x, y);
  return getView(tempptr->value);
}

static void moveOrResize(View* widget, Point target) {
  if (widthflag == 0 && heightflag == 0) {
    widget->xpos = tempptr->xpos = target.x;
    widget->ypos = tempptr->ypos = target.y;
    return;
  }
  if (widthflag == 1) {
    widget->width = tempptr->width =
        keptSize(saturatedCoordinate(int64_t{widget->width} + target.x - widget->xpos));
  }
  if (heightflag == 1) {
    widget->height = tempptr->height =
        keptSize(saturatedCoordinate(int64_t{widget->height} + target.y - widget->ypos));
  }
}

void viewUpEvent(View* v, int x, int y) {
  dragging = false;
  finishEditing();
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
  noteLayoutChange();
  redrawAllViews();
  markActiveView();
  quitIfAskedMeanwhile();
}

void copySelectedView() {
  if (!layoutHasRoom()) return;
  const View* widget = getView(tempptr->value);
  placeCopy(widget, saturatedCoordinate(int64_t{widget->xpos} + 10),
            saturatedCoordinate(int64_t{widget->ypos} + 10));
  noteLayoutChange();
  redrawAllViews();
}

void deleteSelectedView() {
  tempptr->status = STATUS_HIDDEN;
  getView(tempptr->value)->status = STATUS_HIDDEN;
  clearProperties();
  noteLayoutChange();
  redrawAllViews();
}
