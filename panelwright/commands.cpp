// The command buttons: what releasing each of them does.
#include "designer.h"

// While the grid is on the Grid button keeps value 1, so every redraw shows
// it pressed and its look tells whether snapping is on.
static void toggleGrid() {
  if (grid == 16) {
    grid = 1;
    return;
  }
  grid = 16;
  gridbutton->value = 1;
  drawView(gridbutton);
}

// A key may have started an edit while the pointer was held: it is committed
// before the release acts.
void buttonUpEvent(View* button) {
  dragging = false;
  finishEditing();
  if (button == copybutton && isUserView(tempptr)) {
    copySelectedView();
  } else if (button == deletebutton && isUserView(tempptr)) {
    deleteSelectedView();
  } else if (button == loadbutton) {
    loadGUI();
  } else if (button == savebutton) {
    saveGUI();
  } else if (button == quitbutton) {
    quitDesigner();
  } else if (button == gridbutton) {
    toggleGrid();
  } else if (button == alertcancel) {
    cancelflag = 1;
  } else if (button == alertyes) {
    okflag = 1;
  }
  quitIfAskedMeanwhile();
}

// A text or id being edited is committed before any command acts.
void buttonDownEvent(View*) { finishEditing(); }

void sliderMoveEvent(View*) {}
