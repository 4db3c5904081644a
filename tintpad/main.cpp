#include "command_line.h"
#include "tintpad.h"

static constexpr ProgramUsage USAGE = {
    "tintpad", "A colour pad: four coloured squares, each paints the display strip in its colour.",
    nullptr, nullptr};

int main(int argc, char** argv) {
  const CommandLine commandLine = readCommandLine(USAGE, argc, argv);
  if (!commandLine.run) return commandLine.exitStatus;
  startTintpad();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
