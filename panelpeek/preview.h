// Panelpeek, the live preview: shows a layout file as a program made of its
// constructor calls shows it, and follows the file as it is saved again.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>

#include "file_stamp.h"
#include "toolkit.h"

// The screen's size where the file names no canvas, or none is found at start.
inline constexpr int PREVIEW_WIDTH = DEFAULT_LAYOUT_CANVAS.width;
inline constexpr int PREVIEW_HEIGHT = DEFAULT_LAYOUT_CANVAS.height;
// One background view and a full designer layout, with room to spare.
inline constexpr int PREVIEW_SLOTS = 120;

inline constexpr const char* DEFAULT_LAYOUT_FILE = "gui.txt";
inline constexpr int32_t CANVAS_WHITE = 0xFFFFFF;
// Where the designer's canvas starts on its screen: the preview moves every
// view back by this much, so it stands where it stood on the canvas.
inline constexpr int CANVAS_LEFT = 20;
inline constexpr int CANVAS_TOP = 20;
// How often the main loop looks at the file.
inline constexpr Uint32 WATCH_INTERVAL_MS = 200;

struct Preview {
  const char* path;
  FILE* messages;      // where a refused file is reported, one line each time
  FileStamp stamp;     // of the file as last read, whether it was good or not
  FileStamp lastSeen;  // of the file at the last look
  Uint32 lastLook;     // SDL ticks when the file was last looked at
  int folderEvents;    // the inotify descriptor watching the file's folder, or -1
  bool changing;       // the folder told of a change not yet read
  // The canvas the file named at start, which is the screen's size, and the
  // one it named when last read: a new canvas is reported once.
  LayoutCanvas canvas;
  LayoutCanvas fileCanvas;
};

// Creates the white background view, which fills the screen like the canvas,
// and the file's views over it; a refused file is reported and shows nothing
// over the white. Draws nothing: the screen need not be open yet, and is to
// be opened at the size of preview->canvas, the canvas the file names.
// A file saved later for another canvas is shown on the screen as it is, and
// the change reported: the screen keeps its size until panelpeek is started again.
void startPreview(Preview* preview, const char* path, FILE* messages);
// Reads the file again. A good file's views replace the layout's views, whose
// records are freed; a refused file leaves them as they are and is reported.
// Returns whether the views were replaced.
bool reloadLayout(Preview* preview);
// For the main loop, with SDL_GetTicks(): once WATCH_INTERVAL_MS have passed
// since the last look, looks at the file and, if it changed since it was read
// and has held still since the look before, reloads it and redraws the screen
// when its views were replaced. A file being written in place is not read
// half-done; a rewrite shows within two intervals. Where the folder is
// watched, it looks only while the folder tells of a change not yet read.
void watchLayout(Preview* preview, Uint32 now);

// Where the system reports changes in a folder (inotify), watches the file's
// folder from the program's loop: a completed rewrite, a file renamed into
// place or closed after writing, is read and drawn at once; any other change
// is looked at as without the watch, until the file holds still. Returns
// whether the folder is watched.
bool watchLayoutFolder(Preview* preview);
// How long the main loop may sleep before its next look at the file.
int previewWaitMs(const Preview* preview);
