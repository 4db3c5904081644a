#include "command_line.h"
#include "tallyboard.h"

static constexpr ProgramUsage USAGE = {
    "tallyboard",
    "A four-function chain calculator for a touch screen: each operator key applies\nthe pending "
    "operation to the previous result and the number shown.",
    nullptr, nullptr};

int main(int argc, char** argv) {
  const CommandLine commandLine = readCommandLine(USAGE, argc, argv);
  if (!commandLine.run) return commandLine.exitStatus;
  setPresentation(Presentation::PER_EVENT);
  startTallyboard();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
