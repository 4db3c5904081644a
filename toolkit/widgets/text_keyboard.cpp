// The text keyboard: a title, Cancel, the text typed so far, four rows of
// character keys on three pages (letters, shifted letters, digits and signs)
// and a row of page keys, space, Back and OK.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "entry_panel.h"

static constexpr int MARGIN = 4;
static constexpr int TITLE_LARGEST_SCALE = 4;
static constexpr int TEXT_LARGEST_SCALE = 3;
// Character keys per row at most: 29 pixels each on a screen 320 wide.
static constexpr int ROW_KEYS = 11;
static constexpr int CHARACTER_ROWS = 4;
// Longer texts are taken up to this length.
static constexpr int LONGEST_TEXT = 255;

struct KeyboardPage {
  const char* rows[CHARACTER_ROWS];
  // The two other pages, reached by the first keys of the bottom row.
  int otherPages[2];
  const char* caption;  // on the key that shows this page
};

static constexpr KeyboardPage PAGES[] = {
    {{"qwertyuiop", "asdfghjkl", "zxcvbnm", ".,-'@?!_"}, {1, 2}, "abc"},
    {{"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM", ".,-'@?!_"}, {0, 2}, "ABC"},
    {{"1234567890", "!\"#$%&'()*+", ",-./:;<=>?@", "[\\]^_`{|}"}, {0, 1}, "123"},
};

struct TextEntry {
  const char* title;
  char text[LONGEST_TEXT + 1];
  int length;
  int longest;
  int page;
  bool accepted;
};

static TextEntry entry;
static EntryKeys keyboardKeys;

static int rowHeight() { return (screen->h - screen->h / 3) / (CHARACTER_ROWS + 1); }

static void addCharacterRow(const char* characters, int top) {
  const int count = static_cast<int>(std::strlen(characters));
  const int width = screen->w / ROW_KEYS;
  const int left = (screen->w - count * width) / 2;
  for (int i = 0; i < count; ++i) {
    const char caption[2] = {characters[i], '\0'};
    addEntryKey(&keyboardKeys, width, rowHeight(), left + i * width, top, characters[i], caption);
  }
}

static void buildKeyboard() {
  const int w = screen->w;
  const int h = screen->h;
  const KeyboardPage& page = PAGES[entry.page];
  keyboardKeys.count = 0;
  addEntryKey(&keyboardKeys, w / 3, h / 6, 2 * w / 3, 0, KEY_CANCEL, "Cancel");
  for (int row = 0; row < CHARACTER_ROWS; ++row) {
    addCharacterRow(page.rows[row], h / 3 + row * rowHeight());
  }
  const int top = h / 3 + CHARACTER_ROWS * rowHeight();
  const int height = h - top;
  const int first = page.otherPages[0];
  const int second = page.otherPages[1];
  addEntryKey(&keyboardKeys, w / 6, height, 0, top, KEY_PAGE + first, PAGES[first].caption);
  addEntryKey(&keyboardKeys, w / 3 - w / 6, height, w / 6, top, KEY_PAGE + second,
              PAGES[second].caption);
  addEntryKey(&keyboardKeys, 2 * w / 3 - w / 3, height, w / 3, top, ' ', "Space");
  addEntryKey(&keyboardKeys, 5 * w / 6 - 2 * w / 3, height, 2 * w / 3, top, KEY_BACK, "Back");
  addEntryKey(&keyboardKeys, w - 5 * w / 6, height, 5 * w / 6, top, KEY_OK, "OK");
}

// The end of a text too long for the box is what shows.
static void drawTypedText() {
  const int y = screen->h / 6 + MARGIN;
  const int width = screen->w - 2 * MARGIN;
  const int height = screen->h / 6 - 2 * MARGIN;
  enterGraphics();
  drawFilledRectangle(width, height, MARGIN, y, numbackground);
  drawRectangle(width, height, MARGIN, y, 1, numborder);
  drawBoxedText(entry.text, width - 2 * MARGIN, height, 2 * MARGIN, y, TEXT_LARGEST_SCALE, numtext,
                false, true);
  exitGraphics();
}

static void drawKeyboard() {
  fillScreen(PANEL_BACKGROUND);
  drawBoxedText(entry.title, 2 * screen->w / 3 - 2 * MARGIN, screen->h / 12, MARGIN, 0,
                TITLE_LARGEST_SCALE, PANEL_TEXT, false, false);
  drawTypedText();
  drawEntryKeys(&keyboardKeys);
}

static void pressKeyboardKey(int32_t id) {
  if (isEnterableCharacter(id)) {
    if (entry.length == entry.longest) return;
    entry.text[entry.length++] = static_cast<char>(id);
    entry.text[entry.length] = '\0';
  } else if (id == KEY_BACK) {
    if (entry.length == 0) return;
    entry.text[--entry.length] = '\0';
  } else if (id >= KEY_PAGE && id < KEY_PAGE + static_cast<int32_t>(std::size(PAGES))) {
    entry.page = id - KEY_PAGE;
    buildKeyboard();
    drawKeyboard();
    return;
  } else if (id == KEY_OK || id == KEY_CANCEL) {
    entry.accepted = id == KEY_OK;
    finishEntry();
    return;
  } else {
    return;
  }
  drawTypedText();
}

bool enterText(const char* title, char* text, int capacity) {
  if (text == nullptr || capacity < 1 || screen == nullptr) return false;
  entry = TextEntry{};
  entry.title = title != nullptr ? title : "";
  entry.longest = std::min(capacity - 1, LONGEST_TEXT);
  entry.length = static_cast<int>(strnlen(text, static_cast<size_t>(entry.longest)));
  std::memcpy(entry.text, text, static_cast<size_t>(entry.length));
  buildKeyboard();
  const EntryPanel panel{&keyboardKeys, pressKeyboardKey, drawKeyboard};
  if (!runEntryPanel(panel) || !entry.accepted) return false;
  std::memcpy(text, entry.text, static_cast<size_t>(entry.length) + 1);
  return true;
}
