// The alert box over the palette: a yellow box with a text, Cancel and OK. A
// question waits for either button, a message for OK alone.
#include <cstring>
#include <initializer_list>

#include "designer.h"

static void showAlert(const char* text, int8_t cancelStatus) {
  std::strncpy(alerttext->text, text, VIEW_TEXT_LENGTH);
  alerttext->text[VIEW_TEXT_LENGTH] = '\0';
  alertlabel->status = STATUS_SHOWN;
  alerttext->status = STATUS_SHOWN;
  alertyes->status = STATUS_SHOWN;
  alertcancel->status = cancelStatus;
  redrawAllViews();
}

// Every visible view keeps working meanwhile; a Quit takes effect once the
// alert is answered and the caller has returned to the main loop.
static bool answeredOk() {
  while (okflag == 0 && cancelflag == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  const bool ok = okflag != 0;
  okflag = 0;
  cancelflag = 0;
  return ok;
}

bool alertIsUp() { return alertlabel->status == STATUS_SHOWN; }

bool askInAlert(const char* question) {
  showAlert(question, STATUS_SHOWN);
  return answeredOk();
}

void tellInAlert(const char* message) {
  showAlert(message, STATUS_HIDDEN);
  answeredOk();
}

void hideAlert() {
  for (View* view : {alertlabel, alerttext, alertcancel, alertyes}) view->status = STATUS_HIDDEN;
  std::strncpy(alerttext->text, SAVE_QUESTION, VIEW_TEXT_LENGTH);
}
