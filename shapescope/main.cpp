#include "command_line.h"
#include "shapescope.h"

static constexpr ProgramUsage USAGE = {
    "shapescope",
    "A regular-polygon viewer: a polygon of 3 to 12 sides with its interior angle\nand name, and "
    "buttons to add or take away a side.",
    nullptr, nullptr};

int main(int argc, char** argv) {
  const CommandLine commandLine = readCommandLine(USAGE, argc, argv);
  if (!commandLine.run) return commandLine.exitStatus;
  setPresentation(Presentation::PER_EVENT);
  startShapescope();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
