// Event-stream fuzzing of the calculator: whatever the pointer does, the
// pending operation is an operator key, the lit key is an operator key and
// the display text stays inside its view.
#include <cstdlib>

#include "event_stream.h"
#include "tallyboard.h"
#include "view_list_checks.h"

static bool isOperator(int32_t id) { return id >= KEY_ADD && id <= KEY_DIVIDE; }

void checkProgramInvariants() {
  checkViewList();
  if (state != STATE_TYPING && state != STATE_RESULT) fuzzFault("the state is %d", state);
  if (!isOperator(op)) fuzzFault("the pending operation is key %d", op);
  if (recentview != nullptr && !isOperator(recentview->id)) {
    fuzzFault("the lit key is key %d", recentview->id);
  }
}

// The calculator has no nested loop to answer.
void answerNestedLoop() {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  freeViews();
  startTallyboard();
  runEventStream(data, size);
  return 0;
}
