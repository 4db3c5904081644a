#include "command_line.h"
#include "display_check.h"
#include "preview.h"

static constexpr ProgramUsage USAGE = {
    "panelpeek",
    "A live preview of a layout saved by panelwright, drawn as a program that\n"
    "includes it would draw it, and drawn anew whenever the file changes.",
    "FILE", "the layout file (gui.txt in the current folder when none is named)"};

// The window names the file shown, where the title has room for it.
static void nameWindow(const char* file) {
  char title[WINDOW_TITLE_LENGTH + 1];
  const int length = std::snprintf(title, sizeof title, "panelpeek - %s", file);
  setWindowTitle(length <= WINDOW_TITLE_LENGTH ? title : "panelpeek");
}

int main(int argc, char** argv) {
  const CommandLine commandLine = readCommandLine(USAGE, argc, argv);
  if (!commandLine.run) return commandLine.exitStatus;
  // Before the file is read, so that a start without a display says only that.
  refuseWithoutDisplay("panelpeek");
  const char* file = commandLine.file != nullptr ? commandLine.file : DEFAULT_LAYOUT_FILE;
  nameWindow(file);
  Preview preview;
  startPreview(&preview, file, stderr);
  watchLayoutFolder(&preview);
  // Within range: the reader takes no canvas larger than a screen can be.
  setScreenSize(preview.canvas.width, preview.canvas.height);
  setPresentation(Presentation::PER_EVENT);
  initGraphics();
  drawAllViews();
  while (quit == 0) {
    // Wakes for the folder's news, and in time for the next look at the file.
    waitForEvent(previewWaitMs(&preview));
    eventLoop();
    watchLayout(&preview, SDL_GetTicks());
  }
  SDL_Quit();
  return 0;
}
