// Loading a layout: "gui.txt" is read and checked whole, then its views replace
// the placed ones, each built as a drop from the palette entry of its kind.
#include <cstdio>
#include <cstring>
#include <vector>

#include "designer.h"

static constexpr const char* LOAD_QUESTION = "Replace current layout?";

// The message keeps to the 24 characters the alert shows whole: a line number
// has at most 7 digits, as a layout file holds at most 1 MiB.
static void tellRefusal(const LayoutError& error) {
  char line[sizeof error.file + sizeof error.reason + 32];
  describeLayoutError(&error, line, sizeof line);
  std::fprintf(stderr, "%s\n", line);
  char message[VIEW_TEXT_LENGTH + 1];
  switch (error.fault) {
    case LayoutFault::NO_FILE:
      std::snprintf(message, sizeof message, "No %s to load", LAYOUT_FILE);
      break;
    case LayoutFault::BAD_LINE:
      std::snprintf(message, sizeof message, "Bad %s line %d", LAYOUT_FILE, error.line);
      break;
    case LayoutFault::TOO_MANY_VIEWS:
      std::snprintf(message, sizeof message, "Too many views to load");
      break;
    default:
      std::snprintf(message, sizeof message, "Can't read %s", LAYOUT_FILE);
  }
  tellInAlert(message);
}

// A drop of the palette entry of its kind, moved and resized to the saved
// geometry and id; labels and buttons take the saved text as well.
static void placeLoadedView(const LayoutView& saved) {
  View* overlay = placeUserView(paletteWidgetOf(saved.type), saved.xpos, saved.ypos);
  View* widget = getView(overlay->value);
  widget->width = overlay->width = saved.width;
  widget->height = overlay->height = saved.height;
  widget->id = saved.id;
  const LayoutFormat* format = layoutFormatOf(saved.type);
  if (format->hasText) std::memcpy(widget->text, saved.text, sizeof widget->text);
}

static void replaceLayout(const std::vector<LayoutView>& views, int count, const LayoutLook& read) {
  removeUserViews();
  for (int i = 0; i < count; ++i) placeLoadedView(views[static_cast<size_t>(i)]);
  tempptr = nullptr;
  widthflag = 0;
  heightflag = 0;
  clearProperties();
  noteLayoutChange();
  markLayoutSaved();
  stampLayoutFileAs(read);
}

// A layout made for another panel size would stand wrongly on this canvas:
// the canvas is kept and the file refused, naming both sizes.
static bool madeForThisCanvas(int width, int height) {
  if (width == canvasWidth && height == canvasHeight) return true;
  std::fprintf(stderr, "%s: made for a %dx%d canvas, not this %dx%d one\n", LAYOUT_FILE, width,
               height, canvasWidth, canvasHeight);
  char message[VIEW_TEXT_LENGTH + 1];
  std::snprintf(message, sizeof message, "%s is for %dx%d", LAYOUT_FILE, width, height);
  tellInAlert(message);
  return false;
}

void loadGUI() {
  // The alert's question or message is being answered already.
  if (alertIsUp()) return;
  std::vector<LayoutView> views(static_cast<size_t>(userViewCapacity()));
  LayoutError error{};
  // Taken before the bytes are read: a file written meanwhile counts as
  // changed since the load.
  const LayoutLook read = lookAtLayoutFile();
  int width = 0;
  int height = 0;
  int count = -1;
  if (readLayoutCanvas(LAYOUT_FILE, &width, &height, &error)) {
    count = readLayout(LAYOUT_FILE, views.data(), userViewCapacity(), &error);
  }
  if (count < 0) {
    tellRefusal(error);
  } else if (madeForThisCanvas(width, height) &&
             (!placedViewsShowing() || askInAlert(LOAD_QUESTION))) {
    replaceLayout(views, count, read);
  }
  hideAlert();
  redrawAllViews();
}
