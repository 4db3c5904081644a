#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "toolkit.h"

int32_t no_of_views = 0;

View* insertView(int type, int width, int height, int xpos, int ypos, int id, const char* text,
                 int border, int background, int foreground, int value, int8_t /*status*/) {
  View* view = new (std::nothrow) View{};
  if (view == nullptr) {
    std::fputs("out of memory: cannot allocate a view\n", stderr);
    std::exit(1);
  }
  // Once the list is full the record takes the last slot without being counted,
  // so the next call overwrites that slot and nothing is written past the list.
  viewList[no_of_views] = view;
  if (no_of_views <= viewListSlots - 2) ++no_of_views;

  view->type = type;
  view->width = width;
  view->height = height;
  view->xpos = xpos;
  view->ypos = ypos;
  view->id = id;
  if (text != nullptr) std::strncpy(view->text, text, VIEW_TEXT_LENGTH);
  view->text[VIEW_TEXT_LENGTH] = '\0';
  view->border = border;
  view->background = background;
  view->foreground = foreground;
  view->value = value;
  view->status = STATUS_SHOWN;
  return view;
}

int noOfViews() { return no_of_views; }

View* getView(int index) { return viewList[index]; }

// Every slot from first on is freed, the uncounted record that a full list
// keeps in its last slot included.
void removeViewsFrom(int first) {
  if (first < 0 || first > no_of_views) return;
  for (int i = first; i < viewListSlots; ++i) {
    delete viewList[i];
    viewList[i] = nullptr;
  }
  no_of_views = first;
}

// Pixels on a view's edge lie outside it, and the last match is the topmost view.
View* findView(int x, int y) {
  View* hit = nullptr;
  for (int i = 0; i < noOfViews(); ++i) {
    View* view = getView(i);
    // Widened: a view placed near the end of the int range must not overflow.
    if (view->status == STATUS_SHOWN && view->xpos < x && x < int64_t{view->xpos} + view->width &&
        view->ypos < y && y < int64_t{view->ypos} + view->height) {
      hit = view;
    }
  }
  return hit;
}

View* findViewById(int id) {
  for (int i = 0; i < noOfViews(); ++i) {
    if (getView(i)->id == id) return getView(i);
  }
  return nullptr;
}
