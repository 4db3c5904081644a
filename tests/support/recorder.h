// Application call-backs for toolkit tests: each call is recorded as a line
// of text, and drawGraphicView can be given a body.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit.h"

// Calls in order, e.g. "viewDown 3 1 1", "buttonUp 5", "sliderMove 2", "drawGraphic 4"
// (the number after the name is the view's list position).
extern std::vector<std::string> recordedCalls;
// Runs inside every call-back after it is recorded, when set.
extern std::function<void(View*)> onCallback;
void clearRecordedCalls();
