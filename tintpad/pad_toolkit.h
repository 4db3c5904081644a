// The colour pad's own minimal toolkit: touchable rectangles, an 80-slot view
// list with a hit test, the screen surface with pixel access, a rectangle fill
// and an event loop that reports presses only.
#pragma once

#include <SDL.h>

#include <cstdint>

struct PadView {
  int32_t width;
  int32_t height;
  int32_t xpos;
  int32_t ypos;
};

inline constexpr int PAD_VIEW_SLOTS = 80;

extern PadView* viewList[PAD_VIEW_SLOTS];
extern int32_t no_of_views;
extern SDL_Surface* screen;
extern SDL_Event event;
extern int32_t quit;

// Past 80 views the record is still built and returned, but not registered.
PadView* insertView(int width, int height, int xpos, int ypos);
int noOfViews();
PadView* getView(int index);
// The last-created view strictly containing the point, or null.
PadView* findView(int x, int y);

// Hands every queued press to viewDownEvent; everything else is discarded.
// It never waits.
void eventLoop();

inline constexpr int WAIT_UNTIL_EVENT = -1;
// Waits until an event is queued or timeoutMs milliseconds have passed (a
// negative timeout: until an event comes), so that an idle pad sleeps. True
// when an event waits; the next eventLoop takes it.
bool waitForEvent(int timeoutMs);

// Opens the 400 by 600 full-screen surface, or a centred window of that size on
// a larger display; on failure prints one line and exits with 1.
void initgraphics();
void enterGraphics();
void exitGraphics();
// Pixels outside the surface are ignored.
void setPixel(int x, int y, int colour);
void fillView(PadView* view, int colour);

// The application's press handler, with window coordinates.
void viewDownEvent(int x, int y);
