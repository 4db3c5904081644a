// Shapescope: a regular polygon of 3 to 12 sides with its number of sides,
// interior angle and name, stepped by two buttons.
#pragma once

#include <cstdint>

#include "toolkit.h"

inline constexpr int32_t MIN_SIDES = 3;
inline constexpr int32_t MAX_SIDES = 12;

extern int32_t nsides;
// Names for 3 to 12 sides, row nsides - 3, each padded with zero bytes.
inline constexpr char polynames[MAX_SIDES - MIN_SIDES + 1][11] = {
    "triangle", "quadrangle", "pentagon", "hexagon",    "septagon",
    "octagon",  "enneagon",   "decagon",  "hendecagon", "dodecagon",
};

extern View* incbutton;
extern View* decbutton;
extern View* polysides;
extern View* polyangles;
extern View* polytype;
// Its value holds the number of sides to draw.
extern View* shapescope;

// Registers the ten views in their fixed order.
void createViews();
// Paints the first screen once the surface is open.
void drawStartScreen();
// Everything main() does before its loop.
void startShapescope();

void drawBackground();
void updateViews();
void drawShapescope(View* view);
