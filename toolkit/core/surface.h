// Direct access to the screen's pixel memory for the toolkit's own loops.
#pragma once

#include <cstdint>

#include "toolkit.h"

// Sets the part of the rectangle that lies on the surface, row by row from the
// top; a rectangle of width or height 0 or less sets nothing. 64-bit, so that
// shapes reaching far beyond the surface cannot overflow their far edges.
void fillClippedRectangle(int64_t width, int64_t height, int64_t x, int64_t y, int colour);

// The colour of the last fillScreen, 0 before any: what a clean update of a
// view paints beneath the views under it.
extern int32_t screenFillColour;

// Applied by initGraphics once SDL is started: the title set before it, or the
// program's name, and the pointer's visibility.
void applyWindowTitle();
void applyPointerVisibility();

// The size setScreenSize chose, or the link-time screenWidth and screenHeight.
int screenWidthToOpen();
int screenHeightToOpen();
