#include "view_list_checks.h"

#include <cstring>

#include "event_stream.h"
#include "toolkit.h"

int fuzzTargetCount() { return noOfViews(); }

FuzzRect fuzzTarget(int index) {
  const View* v = getView(index);
  return {v->xpos, v->ypos, v->width, v->height};
}

void freeViews() {
  removeViewsFrom(0);
  quit = 0;
}

void checkViewList() {
  if (noOfViews() < 0 || noOfViews() > viewListSlots - 1) {
    fuzzFault("the view list counts %d views; it registers at most %d", noOfViews(),
              viewListSlots - 1);
  }
  for (int i = 0; i < noOfViews(); ++i) {
    const View* v = getView(i);
    if (std::memchr(v->text, '\0', sizeof v->text) == nullptr) {
      fuzzFault("the text of view %d runs past its end", i);
    }
    if (v->status != STATUS_SHOWN && v->status != STATUS_DISABLED && v->status != STATUS_HIDDEN) {
      fuzzFault("view %d has the status %d", i, v->status);
    }
  }
}
