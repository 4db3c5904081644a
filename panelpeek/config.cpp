#include "preview.h"

// The preview's screen and view list, bound into the toolkit at link time.
const int screenWidth = PREVIEW_WIDTH;
const int screenHeight = PREVIEW_HEIGHT;
View* viewList[PREVIEW_SLOTS];
const int viewListSlots = PREVIEW_SLOTS;
