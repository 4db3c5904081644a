// The window as the program's screen is shown in it: the screen itself, or
// where the picture is turned or scaled a window of its own into which each
// presentation turns the screen.
#pragma once

#include "toolkit.h"
#include "turning.h"

// The turn asked for: the program's setRotation, where set overruled by
// KIOSKTK_ROTATION, and KIOSKTK_SCALE. A value of neither kind ends the
// program with one line on standard error and exit status 2.
Turn chosenTurn();

// The program's screen for a window opened at turnedSize: the window itself
// when the picture is neither turned nor scaled, else a surface of the
// program's size. Exits with status 1 where it cannot be made.
SDL_Surface* screenShownIn(SDL_Surface* window, PlaneSize program, Turn turn);

// Flips the picture, the screen or what stands in for it; where the screen is
// turned or scaled, the picture is turned into the window first.
void flipShownScreen(SDL_Surface* picture);

// Turns a press's, release's or motion's window point back into the point on
// the program's screen; other events are left alone.
void turnPointerBack(SDL_Event& pointer);
