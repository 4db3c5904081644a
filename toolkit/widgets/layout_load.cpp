#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "toolkit.h"

// Number views, meters and sliders take their constructors' defaults for what
// a layout line leaves out, as the same line compiled into a program does.
static View* createView(const LayoutView& v, int32_t x, int32_t y) {
  switch (v.type) {
    case VIEW_LABEL:
      return newLabel(v.width, v.height, x, y, v.text);
    case VIEW_BUTTON:
      return newButton(v.width, v.height, x, y, v.id, v.text);
    case VIEW_NUMVIEW:
      return newNumView(v.width, v.height, x, y);
    case VIEW_GRAPHIC:
      return newGraphicView(v.width, v.height, x, y);
    case VIEW_VMETER:
      return newVMeter(v.width, v.height, x, y);
    case VIEW_HMETER:
      return newHMeter(v.width, v.height, x, y);
    case VIEW_VSLIDER:
      return newVSlider(v.width, v.height, x, y);
    case VIEW_HSLIDER:
      return newHSlider(v.width, v.height, x, y);
  }
  return nullptr;
}

static bool fitsInt(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

int loadLayout(const char* path, int dx, int dy, LayoutError* error) {
  const int capacity = std::max(viewListSlots - 1 - noOfViews(), 0);
  const std::unique_ptr<LayoutView[]> views(new (std::nothrow) LayoutView[capacity]);
  if (views == nullptr) {
    std::snprintf(error->file, sizeof error->file, "%s", path);
    error->line = 0;
    std::snprintf(error->reason, sizeof error->reason, "out of memory");
    return -1;
  }
  const int count = readLayout(path, views.get(), capacity, error);
  if (count < 0) return -1;
  for (int i = 0; i < count; ++i) {
    if (!fitsInt(int64_t{views[i].xpos} + dx) || !fitsInt(int64_t{views[i].ypos} + dy)) {
      error->fault = LayoutFault::BAD_LINE;
      error->line = views[i].line;
      std::snprintf(error->reason, sizeof error->reason, "moved position outside the int range");
      return -1;
    }
  }
  for (int i = 0; i < count; ++i) {
    // Every kind keeps the id its line gives; a button's came with its constructor.
    View* made = createView(views[i], views[i].xpos + dx, views[i].ypos + dy);
    if (made != nullptr) made->id = views[i].id;
  }
  return count;
}
