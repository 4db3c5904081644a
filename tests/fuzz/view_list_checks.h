// For the drivers of the programs built on the full toolkit: the streams aim
// at the program's views, and the view list's invariants.
#pragma once

// Throws away every view, so that the next stream starts from an empty list.
void freeViews();
// The list counts no more than it can register, and every view's text ends
// inside it and its status is one of the three.
void checkViewList();
