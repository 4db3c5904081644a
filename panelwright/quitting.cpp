// Ending the designer without losing work: a changed layout asks first.
#include "designer.h"

static constexpr const char* QUIT_QUESTION = "Quit without saving?";

// A Quit while the alert answers something else waits for that answer.
static bool quitAsked = false;

void quitDesigner() {
  dragging = false;
  finishEditing();
  if (alertIsUp()) {
    quitAsked = true;
    return;
  }
  quitAsked = false;
  if (!layoutUnsaved()) {
    quit = 1;
    return;
  }
  if (askInAlert(QUIT_QUESTION)) quit = 1;
  hideAlert();
  redrawAllViews();
}

void quitIfAskedMeanwhile() {
  if (quitAsked && !alertIsUp()) quitDesigner();
}

void startKeysAndHistory() {
  receiveKeys(designerKeyDown);
  receiveQuitRequests(quitDesigner);
  dragging = false;
  quitAsked = false;
  forgetEditing();
  startHistory();
  stampLayoutFile();
}
