#include "toolkit.h"

const int screenWidth = 400;
const int screenHeight = 600;
View* viewList[80];
const int viewListSlots = 80;
