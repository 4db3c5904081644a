#include "toolkit.h"

// The preview adds nothing to what the toolkit does with a touch: buttons
// press and release, sliders drag, and a release on no view ends the program.
// Graphic views are drawn by the designer's placeholder, linked in beside.
void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void buttonDownEvent(View*) {}
void buttonUpEvent(View*) {}
void sliderMoveEvent(View*) {}
