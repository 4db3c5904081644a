#include "toolkit.h"

const int screenWidth = 710;
const int screenHeight = 640;
View* viewList[120];
const int viewListSlots = 120;
