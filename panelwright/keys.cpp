// The designer's keys: editing texts and ids, nudging and resizing with the
// arrows, Delete, copy, undo and redo, save and load, and answering the alert.
#include "designer.h"

// Moves a coordinate one grid step, onto the grid line next to it in that
// direction; with the grid off, one pixel.
static int steppedOnGrid(int coordinate, int direction) {
  const int64_t c = coordinate;
  const int64_t below = c >= 0 ? c / grid * grid : -((-c + grid - 1) / grid) * grid;
  const int64_t next = direction > 0 ? below + grid : (below == c ? c - grid : below);
  return saturatedCoordinate(next);
}

static int resized(int size, int direction) {
  return keptSize(saturatedCoordinate(int64_t{size} + int64_t{direction} * grid));
}

// The arrows move the selected placed view; with Shift they move its right or
// bottom edge instead.
static void nudge(int dx, int dy, bool resize) {
  if (!isUserView(tempptr) || tempptr->status == STATUS_HIDDEN) return;
  View* widget = getView(tempptr->value);
  if (resize) {
    if (dx != 0) widget->width = tempptr->width = resized(widget->width, dx);
    if (dy != 0) widget->height = tempptr->height = resized(widget->height, dy);
  } else {
    if (dx != 0) widget->xpos = tempptr->xpos = steppedOnGrid(widget->xpos, dx);
    if (dy != 0) widget->ypos = tempptr->ypos = steppedOnGrid(widget->ypos, dy);
  }
  showProperties(widget);
  noteLayoutChange();
  redrawAllViews();
  markActiveView();
}

// Enter answers OK and Escape Cancel; a message has OK alone, which either gives.
static void answerAlert(SDLKey key) {
  if (key == SDLK_RETURN || key == SDLK_KP_ENTER) okflag = 1;
  if (key == SDLK_ESCAPE) cancelflag = 1;
}

static void commandKey(SDLKey key, bool shift) {
  switch (key) {
    case SDLK_z:
      if (shift) {
        redoLayoutChange();
      } else {
        undoLayoutChange();
      }
      break;
    case SDLK_y:
      redoLayoutChange();
      break;
    case SDLK_d:
      if (isUserView(tempptr)) copySelectedView();
      break;
    case SDLK_s:
      saveGUI();
      break;
    case SDLK_o:
      loadGUI();
      break;
    default:
      break;
  }
}

static void plainKey(SDLKey key, bool shift) {
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_F2:
      startEditing();
      break;
    case SDLK_DELETE:
      if (isUserView(tempptr)) deleteSelectedView();
      break;
    case SDLK_LEFT:
      nudge(-1, 0, shift);
      break;
    case SDLK_RIGHT:
      nudge(1, 0, shift);
      break;
    case SDLK_UP:
      nudge(0, -1, shift);
      break;
    case SDLK_DOWN:
      nudge(0, 1, shift);
      break;
    default:
      break;
  }
}

void designerKeyDown(const SDL_keysym& key) {
  if (dragging) return;
  if (alertIsUp()) {
    answerAlert(key.sym);
  } else if (isEditing()) {
    editKey(key);
  } else if ((key.mod & KMOD_CTRL) != 0) {
    commandKey(key.sym, (key.mod & KMOD_SHIFT) != 0);
  } else {
    plainKey(key.sym, (key.mod & KMOD_SHIFT) != 0);
  }
  quitIfAskedMeanwhile();
}
