#include "preview.h"

#include <algorithm>

// Room for describeLayoutError's longest line: a full file name, a line
// number and a reason.
static constexpr size_t MESSAGE_SIZE = sizeof LayoutError::file + sizeof LayoutError::reason + 32;

// The layout's views while a new file is read.
static View* replaced[PREVIEW_SLOTS];

static void report(const Preview* preview, const LayoutError& error) {
  char message[MESSAGE_SIZE];
  describeLayoutError(&error, message, sizeof message);
  std::fprintf(preview->messages, "%s\n", message);
  std::fflush(preview->messages);
}

// The canvas the file names; the default where it names none or cannot be read.
static LayoutCanvas canvasOf(const char* path) {
  int width = 0;
  int height = 0;
  LayoutError error{};
  if (!readLayoutCanvas(path, &width, &height, &error)) return DEFAULT_LAYOUT_CANVAS;
  return {width, height};
}

static bool sameCanvas(const LayoutCanvas& a, const LayoutCanvas& b) {
  return a.width == b.width && a.height == b.height;
}

static void noteCanvasChange(Preview* preview) {
  const LayoutCanvas named = canvasOf(preview->path);
  if (sameCanvas(named, preview->fileCanvas)) return;
  preview->fileCanvas = named;
  if (sameCanvas(named, preview->canvas)) return;
  std::fprintf(preview->messages,
               "%s: made for a %dx%d canvas; the screen stays %dx%d until panelpeek is started "
               "again\n",
               preview->path, named.width, named.height, preview->canvas.width,
               preview->canvas.height);
  std::fflush(preview->messages);
}

void startPreview(Preview* preview, const char* path, FILE* messages) {
  const LayoutCanvas canvas = canvasOf(path);
  *preview = {.path = path,
              .messages = messages,
              .stamp = {},
              .lastSeen = {},
              .lastLook = 0,
              .folderEvents = -1,
              .changing = false,
              .canvas = canvas,
              .fileCanvas = canvas};
  // Besides painting the canvas, the background takes every release inside the
  // screen, so that only one on the top row or the left column ends the program.
  View* background = newLabel(canvas.width, canvas.height, 0, 0, "");
  background->border = COLOR_NONE;
  background->background = CANVAS_WHITE;
  reloadLayout(preview);
}

bool reloadLayout(Preview* preview) {
  // Stamped before reading: a change made while the file is read is seen at
  // the next look.
  preview->stamp = stampFile(preview->path);
  // The layout's views step aside for the new ones. A refused file creates
  // nothing, so they go back; otherwise their records are freed, and no slot
  // past the new views is left pointing at one.
  const int shown = noOfViews() - 1;
  std::copy(viewList + 1, viewList + 1 + shown, replaced);
  no_of_views = 1;
  LayoutError error{};
  if (loadLayout(preview->path, -CANVAS_LEFT, -CANVAS_TOP, &error) < 0) {
    std::copy(replaced, replaced + shown, viewList + 1);
    no_of_views = 1 + shown;
    report(preview, error);
    return false;
  }
  for (int i = 0; i < shown; ++i) delete replaced[i];
  std::fill(viewList + noOfViews(), viewList + PREVIEW_SLOTS, nullptr);
  noteCanvasChange(preview);
  return true;
}

void watchLayout(Preview* preview, Uint32 now) {
  if (preview->folderEvents >= 0 && !preview->changing) return;
  if (now - preview->lastLook < WATCH_INTERVAL_MS) return;
  preview->lastLook = now;
  const FileStamp seen = stampFile(preview->path);
  // The same stamp on two looks in a row: no one is writing the file now.
  const bool stillSinceLastLook = seen == preview->lastSeen;
  preview->lastSeen = seen;
  if (seen == preview->stamp) preview->changing = false;
  if (seen == preview->stamp || !stillSinceLastLook) return;
  preview->changing = false;
  // The background view repaints the whole screen before the new views.
  if (reloadLayout(preview)) drawAllViews();
}

int previewWaitMs(const Preview* preview) {
  const bool looking = preview->folderEvents < 0 || preview->changing;
  return looking ? static_cast<int>(WATCH_INTERVAL_MS / 4) : WAIT_UNTIL_EVENT;
}
