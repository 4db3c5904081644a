// Tallyboard, a four-function chain calculator without an equals key: each
// operator key applies the pending operation to the previous result and the
// displayed number.
#pragma once

#include <cstdint>

#include "toolkit.h"

// Key ids: 0 to 9 the digits, then these.
inline constexpr int32_t KEY_POINT = 10;
inline constexpr int32_t KEY_ADD = 11;
inline constexpr int32_t KEY_SUBTRACT = 12;
inline constexpr int32_t KEY_MULTIPLY = 13;
inline constexpr int32_t KEY_DIVIDE = 14;
inline constexpr int32_t KEY_CLEAR = 15;

// What the display shows.
inline constexpr int32_t STATE_TYPING = 0;
inline constexpr int32_t STATE_RESULT = 1;

extern double pre;  // left operand of the pending operation
extern double cur;  // the value most recently computed
extern int32_t state;
extern int32_t op;        // id of the pending operator key
extern View* recentview;  // the operator key drawn lit, once there was one
extern View* textarea;    // its text is the display text
extern View* dispframe;
extern View* screenview;  // catches every press that misses the keys

void clear();
void numButton(View* key);
void opButton(View* key);

// Everything main does before its loop: the views, the screen, the first drawing.
void startTallyboard();
