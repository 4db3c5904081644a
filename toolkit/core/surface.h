// Direct access to the screen's pixel memory for the toolkit's own loops.
#pragma once

#include "toolkit.h"

// Sets the part of the rectangle that lies on the surface, row by row from the
// top; a rectangle of width or height 0 or less sets nothing.
void fillClippedRectangle(int width, int height, int x, int y, int colour);
