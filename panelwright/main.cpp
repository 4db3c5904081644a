#include <cstdio>
#include <cstring>

#include "command_line.h"
#include "designer.h"

static constexpr ProgramUsage USAGE = {
    "panelwright",
    "A layout designer for the kiosktk toolkit: drag labels, buttons, meters and\n"
    "sliders onto a canvas of the panel's size (400 by 600 unless told otherwise)\n"
    "and save the layout as gui.txt in the current folder, one toolkit\n"
    "constructor call per widget.",
    nullptr,
    nullptr,
    " [--canvas WxH]",
    "  --canvas WxH design for a panel W by H pixels large: W from 160 to 1280,\n"
    "               H from 120 to 800. Without it, the size gui.txt was made for,\n"
    "               or 400x600. Common panels: 800x480, 1024x600, 480x272,\n"
    "               320x240 and 1280x800 across; 480x800, 272x480, 240x320 upright\n"};

static constexpr const char* CANVAS_OPTION = "--canvas";

namespace {
// What the command line says of the canvas.
struct CanvasChoice {
  bool valid;  // false: the option was given without a size that fits
  bool given;
  int width;
  int height;
};
}  // namespace

// Takes the first "--canvas WxH" out of the arguments, so that the rest are
// read as every program reads them; a size that is missing or does not fit is
// said in one line on standard error.
static CanvasChoice takeCanvasOption(int* argc, char** argv) {
  CanvasChoice choice{true, false, DEFAULT_CANVAS_WIDTH, DEFAULT_CANVAS_HEIGHT};
  int at = 1;
  while (at < *argc && std::strcmp(argv[at], CANVAS_OPTION) != 0) ++at;
  if (at == *argc) return choice;
  if (at + 1 == *argc) {
    std::fprintf(stderr, "panelwright: %s needs a size such as 800x480\n", CANVAS_OPTION);
    return {false, true, 0, 0};
  }
  if (!parseCanvasSize(argv[at + 1], &choice.width, &choice.height)) {
    std::fprintf(stderr,
                 "panelwright: bad canvas size '%s': give WxH, W from %d to %d and H from %d to "
                 "%d\n",
                 argv[at + 1], MIN_CANVAS_WIDTH, MAX_CANVAS_WIDTH, MIN_CANVAS_HEIGHT,
                 MAX_CANVAS_HEIGHT);
    return {false, true, 0, 0};
  }
  for (int i = at; i + 2 <= *argc; ++i) argv[i] = argv[i + 2];
  *argc -= 2;
  choice.given = true;
  return choice;
}

int main(int argc, char** argv) {
  CanvasChoice canvas = takeCanvasOption(&argc, argv);
  if (!canvas.valid) return 2;
  const CommandLine commandLine = readCommandLine(USAGE, argc, argv);
  if (!commandLine.run) return commandLine.exitStatus;
  if (canvas.given) {
    setCanvasSize(canvas.width, canvas.height);
  } else {
    const LayoutCanvas found = canvasOfLayoutFile();
    setCanvasSize(found.width, found.height);
  }
  setScreenSize(designerWindowWidth(), designerWindowHeight());
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
