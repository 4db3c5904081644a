// Event-stream fuzzing of the polygon viewer: whatever the pointer does, the
// number of sides stays from 3 to 12.
#include <cstdlib>

#include "event_stream.h"
#include "shapescope.h"
#include "view_list_checks.h"

void checkProgramInvariants() {
  checkViewList();
  if (nsides < MIN_SIDES || nsides > MAX_SIDES) fuzzFault("the polygon has %d sides", nsides);
}

// The viewer has no nested loop to answer.
void answerNestedLoop() {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  freeViews();
  nsides = 4;
  startShapescope();
  runEventStream(data, size);
  return 0;
}
