// The number keypad: a title, Cancel, the sign key where negative numbers are
// allowed, the number typed so far, and a 3 by 4 grid of keys below.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "entry_panel.h"

static constexpr int MARGIN = 4;
static constexpr int TITLE_LARGEST_SCALE = 4;
static constexpr int NUMBER_LARGEST_SCALE = 4;
// Ten digits and a sign: the longest number of 32 bits.
static constexpr int LONGEST_DIGITS = 10;

static constexpr const char* GRID_CAPTIONS[4][3] = {
    {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {"Back", "0", "OK"}};
static constexpr int32_t GRID_IDS[4][3] = {
    {'1', '2', '3'}, {'4', '5', '6'}, {'7', '8', '9'}, {KEY_BACK, '0', KEY_OK}};

struct NumberEntry {
  const char* title;
  int minimum;
  int maximum;
  char digits[LONGEST_DIGITS + 1];  // no leading zero; empty once all are taken back
  bool negative;
  bool fresh;       // still the start value: the first digit replaces it
  bool signChosen;  // the sign was switched while fresh, and stays for the first digit
  bool rangeShown;
  int longest;  // digits the range needs
  bool accepted;
  int64_t result;
};

static NumberEntry entry;
static EntryKeys keypadKeys;

static int digitCount(int64_t magnitude) {
  int count = 1;
  for (; magnitude >= 10; magnitude /= 10) ++count;
  return count;
}

static int64_t magnitudeOf(int number) { return std::llabs(int64_t{number}); }

static int64_t typedNumber() {
  const int64_t magnitude = std::strtoll(entry.digits, nullptr, 10);
  return entry.negative ? -magnitude : magnitude;
}

static void buildKeypad() {
  const int w = screen->w;
  const int h = screen->h;
  keypadKeys.count = 0;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      addEntryKey(&keypadKeys, w / 3, h / 6, column * (w / 3), h / 3 + row * (h / 6),
                  GRID_IDS[row][column], GRID_CAPTIONS[row][column]);
    }
  }
  addEntryKey(&keypadKeys, w / 3, h / 6, 2 * w / 3, 0, KEY_CANCEL, "Cancel");
  if (entry.minimum < 0) addEntryKey(&keypadKeys, w / 3, h / 6, 0, h / 6, KEY_SIGN, "+/-");
}

static void drawTypedNumber() {
  const int x = screen->w / 3 + MARGIN;
  const int y = screen->h / 6 + MARGIN;
  const int width = screen->w - screen->w / 3 - 2 * MARGIN;
  const int height = screen->h / 6 - 2 * MARGIN;
  enterGraphics();
  drawFilledRectangle(width, height, x, y, numbackground);
  drawRectangle(width, height, x, y, 1, numborder);
  char shown[LONGEST_DIGITS + 2];
  std::snprintf(shown, sizeof shown, "%s%s", entry.negative ? "-" : "", entry.digits);
  drawBoxedText(shown, width - 2 * MARGIN, height, x + MARGIN, y, NUMBER_LARGEST_SCALE, numtext,
                true, false);
  exitGraphics();
}

static void drawRangeLine() {
  const int width = 2 * screen->w / 3 - 2 * MARGIN;
  const int top = screen->h / 12;
  const int height = screen->h / 6 - top;
  enterGraphics();
  drawFilledRectangle(width, height, MARGIN, top, PANEL_BACKGROUND);
  if (entry.rangeShown) {
    char range[40];
    std::snprintf(range, sizeof range, "From %d to %d", entry.minimum, entry.maximum);
    drawBoxedText(range, width, height, MARGIN, top, TITLE_LARGEST_SCALE, PANEL_WARNING, false,
                  false);
  }
  exitGraphics();
}

static void drawKeypad() {
  fillScreen(PANEL_BACKGROUND);
  drawBoxedText(entry.title, 2 * screen->w / 3 - 2 * MARGIN, screen->h / 12, MARGIN, 0,
                TITLE_LARGEST_SCALE, PANEL_TEXT, false, false);
  drawRangeLine();
  drawTypedNumber();
  drawEntryKeys(&keypadKeys);
}

static void typeDigit(char digit) {
  if (entry.fresh) {
    entry.negative = entry.signChosen && entry.negative;
    entry.digits[0] = '\0';
    entry.fresh = false;
  }
  const size_t length = std::strlen(entry.digits);
  if (length == 1 && entry.digits[0] == '0') {
    entry.digits[0] = digit;
  } else if (static_cast<int>(length) < entry.longest) {
    entry.digits[length] = digit;
    entry.digits[length + 1] = '\0';
  }
}

static void answer() {
  const int64_t number = typedNumber();
  if (entry.digits[0] == '\0' || number < entry.minimum || number > entry.maximum) {
    entry.rangeShown = true;
    drawRangeLine();
    return;
  }
  entry.accepted = true;
  entry.result = number;
  finishEntry();
}

static void pressKeypadKey(int32_t id) {
  if (id >= '0' && id <= '9') {
    typeDigit(static_cast<char>(id));
  } else if (id == KEY_BACK) {
    // A negative start outside a range without negatives loses its sign here.
    entry.negative = entry.negative && entry.minimum < 0;
    entry.fresh = false;
    const size_t length = std::strlen(entry.digits);
    if (length > 0) entry.digits[length - 1] = '\0';
  } else if ((id == KEY_SIGN || id == '-') && entry.minimum < 0) {
    entry.negative = !entry.negative;
    if (entry.fresh) entry.signChosen = !entry.signChosen;
  } else if (id == KEY_OK) {
    answer();
    return;
  } else if (id == KEY_CANCEL) {
    finishEntry();
    return;
  } else {
    return;
  }
  drawTypedNumber();
}

bool enterNumber(const char* title, int* value, int minimum, int maximum) {
  if (value == nullptr || minimum > maximum || screen == nullptr) return false;
  entry = NumberEntry{};
  entry.title = title != nullptr ? title : "";
  entry.minimum = minimum;
  entry.maximum = maximum;
  entry.negative = *value < 0;
  std::snprintf(entry.digits, sizeof entry.digits, "%lld",
                static_cast<long long>(magnitudeOf(*value)));
  entry.fresh = true;
  entry.longest = digitCount(std::max(magnitudeOf(minimum), magnitudeOf(maximum)));
  buildKeypad();
  const EntryPanel panel{&keypadKeys, pressKeypadKey, drawKeypad};
  if (!runEntryPanel(panel) || !entry.accepted) return false;
  *value = static_cast<int>(entry.result);
  return true;
}
