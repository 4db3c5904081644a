// In-process test rig: the toolkit on SDL's headless dummy video driver.
//
// Test binaries link this library; flips and surface locks are counted by the
// link-time wrappers of surface_counts.h.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "surface_counts.h"
#include "toolkit.h"

// Opens the screen once per process on the dummy driver; every test starts
// with an empty view list, quit = 0, an empty event queue, the screen cleared
// to 0 and the flip counter at 0.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Opens the screen on the dummy driver (used by ScreenTest; idempotent).
void openDummyScreen();
// Closes it, so that the next openDummyScreen opens the size setScreenSize
// chose; a test that chooses another size goes back to the link-time one.
void closeDummyScreen();
// Empties the view list and resets quit, without freeing anything.
void resetViewList();
// Frees every view in the list, then empties it. The toolkit never frees a
// view; tests that build views again and again free them so that the leak
// checker sees none. ScreenTest does this after every test.
void freeViewList();
// Sets every pixel of the surface without locking or flipping.
void clearScreen(uint32_t colour = 0);

// Events go through SDL's real queue; dispatch() runs eventLoop().
void pushPress(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void pushRelease(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void pushMotion(int x, int y, Uint8 state = SDL_BUTTON(SDL_BUTTON_LEFT));
// A key press; unicode is the character SDL's translation gives, 0 for none.
void pushKey(SDLKey key, SDLMod mod = KMOD_NONE, Uint16 unicode = 0);
void pushQuitRequest();
void dispatch();

using Point = std::pair<int, int>;
// Every point of the surface holding this colour.
std::set<Point> pointsOf(uint32_t colour);
// Every point of the surface whose colour differs from the given one.
std::set<Point> pointsNot(uint32_t colour);
// Every point in the rectangle (inclusive bounds).
std::set<Point> rectanglePoints(int x0, int y0, int x1, int y1);
// Copy of the whole surface, row by row.
std::vector<uint32_t> snapshot();
// Renders a set of points as text rows for readable failure messages.
std::string describe(const std::set<Point>& points);
