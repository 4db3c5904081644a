// The views the user places: each a widget followed by its overlay, above the
// fixed views in the list.
#include <cstdio>

#include "designer.h"

int userViewCapacity() { return (viewListSlots - 1 - (noOfFixViews + 1)) / 2; }

static constexpr const char* NO_ROOM = "No room for another view";

bool layoutHasRoom() {
  if (noOfViews() + 2 <= viewListSlots - 1) return true;
  std::fputs("The layout is full: no room for another view\n", stderr);
  if (!alertIsUp()) {
    tellInAlert(NO_ROOM);
    hideAlert();
    redrawAllViews();
  }
  return false;
}

// The overlay takes the touches meant for the widget, so that a placed button
// or slider does not react while it is designed.
View* placeUserView(const View* widget, int x, int y) {
  insertView(widget->type, widget->width, widget->height, x, y, widget->id, widget->text,
             widget->border, widget->background, widget->foreground, widget->value, STATUS_SHOWN);
  View* overlay = newView(widget->width, widget->height, x, y);
  overlay->value = noOfViews() - 2;
  return overlay;
}

void removeUserViews() { removeViewsFrom(noOfFixViews + 1); }

bool placedViewsShowing() {
  for (int i = noOfFixViews + 1; i < noOfViews(); ++i) {
    if (getView(i)->status != STATUS_HIDDEN) return true;
  }
  return false;
}
