#include "toolkit.h"

// The designer's screen and view list, bound into the toolkit at link time.
const int screenWidth = 710;
const int screenHeight = 640;
View* viewList[120];
const int viewListSlots = 120;
