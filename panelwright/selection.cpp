// What a view is to the designer (fixed, placed, a palette entry), snapping,
// and the frame that marks the selection.
#include <algorithm>

#include "designer.h"

int viewNumber(const View* v) {
  for (int i = 0; i < noOfViews(); ++i) {
    if (getView(i) == v) return i;
  }
  return -1;
}

bool isUserView(const View* v) { return viewNumber(v) > noOfFixViews; }

// The overlays of the palette entries that place views; "View" is not among them.
static constexpr View* const* LIVE_PALETTE_OVERLAYS[] = {
    &labelview,  &buttonview,  &numviewview, &hmeterview,
    &vmeterview, &hsliderview, &vsliderview, &graphicviewview,
};

bool isLivePaletteOverlay(const View* v) {
  return v != nullptr && std::ranges::any_of(LIVE_PALETTE_OVERLAYS,
                                             [v](View* const* overlay) { return *overlay == v; });
}

const View* paletteWidgetOf(int32_t type) {
  for (View* const* overlay : LIVE_PALETTE_OVERLAYS) {
    const View* widget = getView((*overlay)->value);
    if (widget->type == type) return widget;
  }
  return nullptr;
}

int snapToGrid(int coordinate) { return coordinate / grid * grid; }

bool selectionHasPicture() {
  return tempptr != nullptr && tempptr != window && tempptr != drawarea;
}

void markActiveView() {
  // A deleted view, selected again by an undo or redo, has no place to frame.
  if (!selectionHasPicture() || tempptr->status == STATUS_HIDDEN) return;
  drawRectangle(tempptr->width, tempptr->height, tempptr->xpos, tempptr->ypos, 3, LIGHT_GREY);
}
