// Clean updates: a view shown anew over what lies beneath it, so that nothing
// of its old text is left, whatever its colours.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "presentation.h"
#include "surface.h"
#include "toolkit.h"

namespace {
// A rectangle of screen pixels, from left and top up to but not including
// right and bottom.
struct Area {
  int64_t left, top, right, bottom;
};
}  // namespace

// Space for what a meter or slider draws around its box: scale numbers beside
// it, a knob beyond the ends of its track.
static constexpr int64_t INDICATOR_MARGIN = 26;

// Where a view may draw: its rectangle, the descenders of its text below it
// (a glyph with one sits two blocks lower), and the surroundings of meters and
// sliders.
static Area areaOf(const View* view) {
  const int64_t w = view->width;
  const int64_t h = view->height;
  Area area{view->xpos, view->ypos, view->xpos + w, view->ypos + h};
  int64_t scale = 0;
  switch (view->type) {
    case VIEW_LABEL:
      scale = h / 12;
      break;
    case VIEW_NUMVIEW:
      scale = h / 8;
      break;
    case VIEW_BUTTON:
      scale = std::min<int64_t>(h / 18, 2);
      break;
    case VIEW_VMETER:
    case VIEW_HMETER:
    case VIEW_VSLIDER:
    case VIEW_HSLIDER: {
      const int64_t margin = INDICATOR_MARGIN + std::max(std::abs(w), std::abs(h)) / 3;
      return {area.left - margin, area.top - margin, area.right + margin, area.bottom + margin};
    }
    default:
      return area;
  }
  area.bottom += 2 * std::abs(scale) + 1;
  return area;
}

static bool overlaps(const Area& a, const Area& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

static Area onScreen(const Area& a) {
  return {std::max<int64_t>(a.left, 0), std::max<int64_t>(a.top, 0),
          std::min<int64_t>(a.right, screen->w), std::min<int64_t>(a.bottom, screen->h)};
}

static bool isEmpty(const Area& a) { return a.left >= a.right || a.top >= a.bottom; }

static bool reachesInto(const View* other, const Area& area) {
  return other->status != STATUS_HIDDEN && overlaps(areaOf(other), area);
}

// The views that reach into the area draw whole, also beyond it; the pixels
// around the area are kept aside and put back, so that only the area changes.
static std::vector<uint32_t> keptPixels;

static Area drawnArea(const Area& area) {
  Area drawn = area;
  for (int i = 0; i < noOfViews(); ++i) {
    const View* other = getView(i);
    if (!reachesInto(other, area)) continue;
    const Area a = areaOf(other);
    drawn = {std::min(drawn.left, a.left), std::min(drawn.top, a.top),
             std::max(drawn.right, a.right), std::max(drawn.bottom, a.bottom)};
  }
  return onScreen(drawn);
}

static uint32_t* rowAt(int64_t y) {
  return static_cast<uint32_t*>(screen->pixels) + y * (screen->pitch / 4);
}

static void keepPixels(const Area& kept) {
  const auto width = static_cast<size_t>(kept.right - kept.left);
  keptPixels.resize(width * static_cast<size_t>(kept.bottom - kept.top));
  for (int64_t y = kept.top; y < kept.bottom; ++y) {
    std::memcpy(&keptPixels[static_cast<size_t>(y - kept.top) * width], rowAt(y) + kept.left,
                width * sizeof(uint32_t));
  }
}

static void restoreAround(const Area& kept, const Area& area) {
  const auto width = static_cast<size_t>(kept.right - kept.left);
  for (int64_t y = kept.top; y < kept.bottom; ++y) {
    const uint32_t* from = &keptPixels[static_cast<size_t>(y - kept.top) * width];
    uint32_t* row = rowAt(y) + kept.left;
    const bool crossesArea = y >= area.top && y < area.bottom;
    for (int64_t x = 0; x < kept.right - kept.left; ++x) {
      const int64_t sx = kept.left + x;
      if (!crossesArea || sx < area.left || sx >= area.right) row[x] = from[x];
    }
  }
}

// One presentation for the whole update, in either mode: the drawings in
// between are marked, not flipped.
static void showAnew(View* view) {
  // Before initGraphics there is nothing to show: the first drawing shows it.
  if (screen == nullptr) return;
  const Area area = onScreen(areaOf(view));
  if (isEmpty(area)) return;
  const Area kept = drawnArea(areaOf(view));
  const Presentation mode = currentPresentation();
  setPresentation(Presentation::PER_EVENT);
  enterGraphics();
  keepPixels(kept);
  fillClippedRectangle(area.right - area.left, area.bottom - area.top, area.left, area.top,
                       screenFillColour);
  exitGraphics();
  for (int i = 0; i < noOfViews(); ++i) {
    View* other = getView(i);
    if (reachesInto(other, areaOf(view))) drawView(other);
  }
  enterGraphics();
  restoreAround(kept, area);
  exitGraphics();
  setPresentation(mode);
}

void setViewText(View* view, const char* text) {
  std::strncpy(view->text, text, VIEW_TEXT_LENGTH);
  view->text[VIEW_TEXT_LENGTH] = '\0';
  if (view->status != STATUS_HIDDEN) showAnew(view);
}

void setViewNumber(View* view, int number) {
  view->value = number;
  if (view->status != STATUS_HIDDEN) showAnew(view);
}

void setViewShown(View* view, bool shown) {
  const int8_t status = shown ? STATUS_SHOWN : STATUS_HIDDEN;
  if (view->status == status) return;
  view->status = status;
  showAnew(view);
}
