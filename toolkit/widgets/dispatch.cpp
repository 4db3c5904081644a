#include "toolkit.h"

// Neither locks nor flips itself: each drawing routine brackets its own work.
// Plain views and unknown kinds are never drawn.
void drawView(View* view) {
  switch (view->type) {
    case VIEW_BUTTON:
      drawButton(view);
      break;
    case VIEW_NUMVIEW:
      drawNumView(view);
      break;
    case VIEW_LABEL:
      drawLabel(view);
      break;
    case VIEW_GRAPHIC:
      drawGraphicView(view);
      break;
    case VIEW_VMETER:
      drawVMeter(view);
      break;
    case VIEW_HMETER:
      drawHMeter(view);
      break;
    case VIEW_VSLIDER:
      drawVSlider(view);
      break;
    case VIEW_HSLIDER:
      drawHSlider(view);
      break;
    default:
      break;
  }
}

// The count is read at every step: a drawGraphicView call-back may add views.
void drawAllViews() {
  for (int i = 0; i < noOfViews(); ++i) {
    View* view = getView(i);
    if (view->status != STATUS_HIDDEN) drawView(view);
  }
}
