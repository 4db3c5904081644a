// Undo and redo: the placed views as they stood after each change of the
// layout, and whether the layout differs from the file last loaded or saved.
#include <cstring>
#include <string>
#include <vector>

#include "designer.h"

namespace {
// What the property panel showed, so that a step undone looks as it did.
struct PanelRecord {
  int32_t numbers[4];
  char text[VIEW_TEXT_LENGTH + 1];
  int32_t swatches[3];
};

// Every placed widget and overlay, deleted ones included, so that the view
// list is restored slot for slot.
struct LayoutState {
  std::vector<View> views;
  View* fixedSelection;  // the selection when it is no placed view
  int selectedIndex;     // the list index of a selected placed view, or -1
  PanelRecord panel;
};
}  // namespace

// Beyond this many steps the oldest is forgotten.
static constexpr size_t MOST_UNDO_STEPS = 256;

static std::vector<LayoutState> undoSteps;
static std::vector<LayoutState> redoSteps;
static LayoutState current;
static std::string savedLayout;

static PanelRecord panelRecord() {
  PanelRecord panel{{widthnum->value, heightnum->value, xposnum->value, yposnum->value},
                    "",
                    {penlabel->background, bglabel->background, fglabel->background}};
  std::memcpy(panel.text, textlabel->text, sizeof panel.text);
  return panel;
}

static void showPanelRecord(const PanelRecord& panel) {
  widthnum->value = panel.numbers[0];
  heightnum->value = panel.numbers[1];
  xposnum->value = panel.numbers[2];
  yposnum->value = panel.numbers[3];
  std::memcpy(textlabel->text, panel.text, sizeof textlabel->text);
  penlabel->background = panel.swatches[0];
  bglabel->background = panel.swatches[1];
  fglabel->background = panel.swatches[2];
}

static LayoutState layoutState() {
  LayoutState state{{}, nullptr, -1, panelRecord()};
  for (int i = noOfFixViews + 1; i < noOfViews(); ++i) state.views.push_back(*getView(i));
  if (isUserView(tempptr)) {
    state.selectedIndex = viewNumber(tempptr);
  } else {
    state.fixedSelection = tempptr;
  }
  return state;
}

static bool sameView(const View& a, const View& b) {
  return a.type == b.type && a.width == b.width && a.height == b.height && a.xpos == b.xpos &&
         a.ypos == b.ypos && a.id == b.id && std::strcmp(a.text, b.text) == 0 &&
         a.border == b.border && a.background == b.background && a.foreground == b.foreground &&
         a.value == b.value && a.status == b.status;
}

// An overlay's colour fields hold the last grab offset, which a press
// changes without changing the layout.
static bool sameLayout(const std::vector<View>& a, const std::vector<View>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    View left = a[i];
    View right = b[i];
    if (left.type == VIEW_PLAIN) left.background = left.foreground = 0;
    if (right.type == VIEW_PLAIN) right.background = right.foreground = 0;
    if (!sameView(left, right)) return false;
  }
  return true;
}

// Rebuilt as a load rebuilds: the list from the fixed views on, then one
// whole redraw.
static void restore(const LayoutState& state) {
  removeUserViews();
  for (const View& saved : state.views) {
    *insertView(VIEW_PLAIN, 0, 0, 0, 0, 0, "", 0, 0, 0, 0, STATUS_SHOWN) = saved;
  }
  tempptr = state.selectedIndex >= 0 ? getView(state.selectedIndex) : state.fixedSelection;
  widthflag = 0;
  heightflag = 0;
  showPanelRecord(state.panel);
  redrawAllViews();
  markActiveView();
}

void startHistory() {
  undoSteps.clear();
  redoSteps.clear();
  current = layoutState();
  markLayoutSaved();
}

void noteLayoutChange() {
  LayoutState now = layoutState();
  if (!sameLayout(now.views, current.views)) {
    undoSteps.push_back(std::move(current));
    if (undoSteps.size() > MOST_UNDO_STEPS) undoSteps.erase(undoSteps.begin());
    redoSteps.clear();
  }
  current = std::move(now);
  refreshSaveCopy();
}

// One step from the stack `from` back to the screen; the present layout goes
// onto `to`.
static void step(std::vector<LayoutState>& from, std::vector<LayoutState>& to) {
  if (from.empty()) return;
  to.push_back(layoutState());
  current = std::move(from.back());
  from.pop_back();
  restore(current);
  refreshSaveCopy();
}

void undoLayoutChange() { step(undoSteps, redoSteps); }

void redoLayoutChange() { step(redoSteps, undoSteps); }

void markLayoutSaved() {
  savedLayout = layoutText();
  refreshSaveCopy();
}

bool layoutUnsaved() { return layoutText() != savedLayout; }

void refreshSaveCopy() {
  const std::string layout = layoutText();
  prepareSaveCopy(layout, layout != savedLayout);
}
