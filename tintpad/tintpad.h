#pragma once

#include "pad_toolkit.h"

extern PadView* background;
extern PadView* display;
extern PadView* button1;
extern PadView* button2;
extern PadView* button3;
extern PadView* button4;

// Creates the six views, opens the screen and paints it.
void startTintpad();
