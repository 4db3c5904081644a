#include "command_line.h"
#include "designer.h"

static constexpr ProgramUsage USAGE = {
    "panelwright",
    "A layout designer for the kiosktk toolkit: drag labels, buttons, meters and\n"
    "sliders onto a 400 by 600 canvas and save the layout as gui.txt in the\n"
    "current folder, one toolkit constructor call per widget.",
    nullptr, nullptr};

int main(int argc, char** argv) {
  const CommandLine commandLine = readCommandLine(USAGE, argc, argv);
  if (!commandLine.run) return commandLine.exitStatus;
  setWindowTitle("panelwright - gui.txt");
  setPresentation(Presentation::PER_EVENT);
  startPanelwright();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}
