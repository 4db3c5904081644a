#include "tallyboard.h"

#include <cstring>

#include "number_text.h"

double pre = 0;
double cur = 0;
int32_t state = STATE_TYPING;
int32_t op = KEY_ADD;
View* recentview = nullptr;
View* textarea = nullptr;
View* dispframe = nullptr;
View* screenview = nullptr;

static constexpr int32_t WHITE = 0xFFFFFF;
static constexpr int32_t BLACK = 0x000000;
static constexpr int32_t NEAR_WHITE = 0xF0F0F0;
static constexpr int32_t MID_GREY = 0x808080;
static constexpr int32_t BODY_GREY = 0xB4B4B4;

namespace {
struct Key {
  int32_t id;
  const char* text;
  int xpos;
  int ypos;
  int width = 60;
};
}  // namespace

static constexpr int KEY_HEIGHT = 50;

// Digits row by row as they appear, then 0; theme switches between the groups.
static constexpr Key DIGIT_KEYS[] = {
    {1, "1", 50, 230},  {2, "2", 125, 230}, {3, "3", 200, 230}, {4, "4", 50, 300},
    {5, "5", 125, 300}, {6, "6", 200, 300}, {7, "7", 50, 370},  {8, "8", 125, 370},
    {9, "9", 200, 370}, {0, "0", 125, 440},
};

static constexpr Key FUNCTION_KEYS[] = {
    {KEY_CLEAR, "CLR", 50, 440},       {KEY_POINT, ".", 200, 440},
    {KEY_ADD, "+", 280, 230, 70},      {KEY_SUBTRACT, "-", 280, 300, 70},
    {KEY_MULTIPLY, "*", 280, 370, 70}, {KEY_DIVIDE, "/", 280, 440, 70},
};

static bool isEntryKey(const View* key) { return key->id >= 0 && key->id <= KEY_POINT; }
static bool isOperatorKey(const View* key) { return key->id >= KEY_ADD && key->id <= KEY_DIVIDE; }

void clear() {
  pre = 0;
  cur = 0;
  state = STATE_TYPING;
  op = KEY_ADD;
  // An empty text makes the number view show its value, which stays 0.
  textarea->text[0] = '\0';
  drawView(textarea);
}

void numButton(View* key) {
  if (state == STATE_RESULT) {
    textarea->text[0] = '\0';
    state = STATE_TYPING;
  }
  // Keys pressed once the field is full are ignored rather than cutting the text.
  const size_t length = std::strlen(textarea->text);
  if (length < VIEW_TEXT_LENGTH) {
    textarea->text[length] = key->text[0];
    textarea->text[length + 1] = '\0';
  }
  drawView(textarea);
}

// The overflow text only ever shows a result, which pre still holds in full;
// reading it as 0 would silently throw that result away.
static double displayedOperand() {
  if (std::strcmp(textarea->text, OVERFLOW_TEXT) == 0) return pre;
  return stringToDouble(textarea->text);
}

static double applyOperation(int32_t operation, double left, double right) {
  switch (operation) {
    case KEY_SUBTRACT:
      return left - right;
    case KEY_MULTIPLY:
      return left * right;
    case KEY_DIVIDE:
      return left / right;
    default:
      return left + right;
  }
}

void opButton(View* key) {
  state = STATE_RESULT;
  cur = applyOperation(op, pre, displayedOperand());
  op = key->id;
  pre = cur;
  doubleToString(cur, textarea->text);
  drawView(textarea);
}

void viewDownEvent(View*, int, int) { quit = 1; }
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}

void buttonDownEvent(View* key) {
  if (recentview != nullptr) {
    recentview->value = 0;
    drawView(recentview);
  }
  if (isEntryKey(key)) {
    numButton(key);
  } else if (isOperatorKey(key)) {
    opButton(key);
  } else if (key->id == KEY_CLEAR) {
    clear();
  }
}

// The lit key marks the pending operation until the next key press.
void buttonUpEvent(View* key) {
  if (!isOperatorKey(key)) return;
  key->value = 1;
  drawView(key);
  recentview = key;
}

static void newKey(const Key& key) {
  newButton(key.width, KEY_HEIGHT, key.xpos, key.ypos, key.id, key.text);
}

static void createViews() {
  screenview = newLabel(400, 600, 0, 0, "");
  dispframe = newLabel(320, 54, 40, 90, "");
  dispframe->background = BODY_GREY;
  textarea = newNumView(300, 32, 50, 100, "");
  setButtonTheme(WHITE, BLACK, NEAR_WHITE);
  for (const Key& key : DIGIT_KEYS) newKey(key);
  setButtonTheme(WHITE, MID_GREY, NEAR_WHITE);
  for (const Key& key : FUNCTION_KEYS) newKey(key);
  newLabel(320, 40, 90, 520, "TALLYBOARD");
}

static void drawDecoration() {
  drawRectangle(390, 590, 5, 5, 1, WHITE);
  drawRoundedRectangle(350, 550, 25, 30, BODY_GREY);
}

void startTallyboard() {
  recentview = nullptr;
  createViews();
  initGraphics();
  drawDecoration();
  drawAllViews();
  clear();
}
