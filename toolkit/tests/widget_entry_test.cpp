// The number keypad and the text keyboard, driven by touches at their keys and
// by a physical keyboard. waitForEvent is wrapped at link time: each time a
// panel waits, the next planned step runs first (it queues input, draws as a
// program's timer would, or looks at what is shown).
#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "widget_picture.h"

static std::deque<std::function<void()>> steps;
static int rescues = 0;
// Only the entry tests plan steps; every other wait is left as it is.
static bool planning = false;

extern "C" {
bool __real__Z12waitForEventi(int timeoutMs);

// A panel that waits past its steps is cancelled, and ended through quit
// should Escape not close it, so that a fault fails rather than hangs.
bool __wrap__Z12waitForEventi(int timeoutMs) {
  if (!planning) return __real__Z12waitForEventi(timeoutMs);
  if (!steps.empty()) {
    const std::function<void()> step = std::move(steps.front());
    steps.pop_front();
    step();
    // A step that only drew has woken the wait as a timer would.
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0) return false;
  } else if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0) {
    ADD_FAILURE() << "the panel waits past the planned steps";
    if (++rescues > 2) quit = 1;
    pushKey(SDLK_ESCAPE);
  }
  return __real__Z12waitForEventi(timeoutMs);
}
}

namespace {

constexpr int W = 710;  // the designer's screen, which the test binary binds
constexpr int H = 640;
constexpr uint32_t PROGRAM_DRAWING = 0x123456;

// The surface that is shown, whatever screen points to meanwhile.
uint32_t shownPixel(int x, int y) {
  const SDL_Surface* shown = SDL_GetVideoSurface();
  return static_cast<const uint32_t*>(shown->pixels)[y * (shown->pitch / 4) + x];
}

Point keypadKey(const std::string& name) {
  if (name == "Cancel") return {2 * W / 3 + W / 6, H / 12};
  if (name == "+/-") return {W / 6, H / 6 + H / 12};
  const std::string grid = "123456789B0K";
  const size_t at = grid.find(name == "Back" ? 'B' : name == "OK" ? 'K' : name[0]);
  const int row = static_cast<int>(at) / 3;
  const int column = static_cast<int>(at) % 3;
  return {column * (W / 3) + W / 6, H / 3 + row * (H / 6) + H / 12};
}

// Keyboard keys: the character keys of a page row by row, each W / 11 wide and
// centred in its row, and the bottom row of page keys, Space, Back and OK.
constexpr int ROW_HEIGHT = (H - H / 3) / 5;
constexpr int BOTTOM = H / 3 + 4 * ROW_HEIGHT + (H - H / 3 - 4 * ROW_HEIGHT) / 2;

Point characterKey(int row, int index, int keysInRow) {
  const int width = W / 11;
  return {(W - keysInRow * width) / 2 + index * width + width / 2,
          H / 3 + row * ROW_HEIGHT + ROW_HEIGHT / 2};
}

Point keyboardKey(const std::string& name) {
  if (name == "Cancel") return keypadKey(name);
  if (name == "page1") return {W / 12, BOTTOM};
  if (name == "page2") return {W / 6 + W / 12, BOTTOM};
  if (name == "Space") return {W / 2, BOTTOM};
  if (name == "Back") return {2 * W / 3 + W / 12, BOTTOM};
  if (name == "OK") return {5 * W / 6 + W / 12, BOTTOM};
  // "r.i/n": key i of the n keys in character row r.
  int row = 0, index = 0, count = 0;
  char dot = 0, slash = 0;
  std::istringstream(name) >> row >> dot >> index >> slash >> count;
  return characterKey(row, index, count);
}

void tap(Point p) {
  pushPress(p.first, p.second);
  pushRelease(p.first, p.second);
}

// Words of the input: "k:X" types the character X, "k:Return", "k:Escape" and
// "k:BackSpace" press those keys, and any other word taps the key so named.
void queueInput(const std::string& input, Point (*keyAt)(const std::string&)) {
  std::istringstream words(input);
  for (std::string word; words >> word;) {
    if (word == "k:Return") {
      pushKey(SDLK_RETURN);
    } else if (word == "k:Escape") {
      pushKey(SDLK_ESCAPE);
    } else if (word == "k:BackSpace") {
      pushKey(SDLK_BACKSPACE);
    } else if (word.starts_with("k:")) {
      pushKey(SDLK_UNKNOWN, KMOD_NONE, static_cast<Uint16>(word[2]));
    } else {
      tap(keyAt(word));
    }
  }
}

// The program's screen before a panel opens: views and a pattern of its own.
struct ProgramState {
  std::vector<uint32_t> picture;
  std::vector<View*> views;
};

ProgramState drawProgram() {
  newLabel(W, H, 0, 0, "");
  newButton(120, 40, 30, 500, 1, "Set");
  newNumView(160, 32, 300, 40);
  fillScreen(0xE0E0E0);
  drawAllViews();
  for (int i = 0; i < 300; ++i) setPixel(i * 7 % W, i * 13 % H, i * 0x010203);
  ProgramState state{snapshot(), {}};
  for (int i = 0; i < noOfViews(); ++i) state.views.push_back(getView(i));
  return state;
}

void expectProgramBack(const ProgramState& before) {
  EXPECT_TRUE(snapshot() == before.picture) << "the screen differs from before the panel";
  std::vector<View*> views;
  for (int i = 0; i < noOfViews(); ++i) views.push_back(getView(i));
  EXPECT_EQ(views, before.views);
  EXPECT_EQ(screen, SDL_GetVideoSurface());
}

class EntryTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    planning = true;
  }
  void TearDown() override {
    planning = false;
    EXPECT_EQ(steps.size(), 0U) << "planned steps left untaken";
    steps.clear();
    rescues = 0;
    setPresentation(Presentation::PER_DRAWING);
    WidgetTest::TearDown();
  }
};

struct KeypadCase {
  const char* name;
  int minimum;
  int maximum;
  int start;
  const char* input;
  bool accepted;
  int value;
};

constexpr KeypadCase KEYPAD_CASES[] = {
    {"InRange", 0, 100, 21, "2 5 OK", true, 25},
    {"FirstDigitReplacesTheStart", 0, 100, 21, "7 OK", true, 7},
    {"BackTakesTheLastDigit", 0, 100, 21, "Back OK", true, 2},
    {"BackAfterDigits", 0, 999, 21, "3 4 Back 9 OK", true, 39},
    {"LeadingZeroIsReplaced", 0, 100, 5, "0 0 8 OK", true, 8},
    {"DigitsBeyondTheRangeAreNotTaken", 0, 99, 0, "1 2 3 OK", true, 12},
    {"OutOfRangeWaitsForAFix", 5, 35, 20, "9 9 OK Back Back 3 0 OK", true, 30},
    {"EmptyIsNoNumber", 0, 9, 4, "Back OK 6 OK", true, 6},
    {"SignBeforeTheFirstDigitStays", -50, 50, 10, "+/- 5 OK", true, -5},
    {"SignAfterDigits", -50, 50, 10, "5 +/- OK", true, -5},
    {"SignOfTheStart", -50, 50, 10, "+/- OK", true, -10},
    {"NegativeStartIsReplaced", -50, 50, -10, "4 OK", true, 4},
    {"NoSignKeyWithoutNegatives", 0, 50, 10, "+/- k:- OK", true, 10},
    {"BackDropsASignTheRangeHasNot", 0, 50, -15, "Back 7 OK", true, 17},
    {"Cancel", 0, 100, 21, "5 Cancel", false, 21},
    {"KeysTypeDigits", -99, 99, 0, "k:4 k:- k:2 k:Return", true, -42},
    {"KeysBackSpace", 0, 99, 0, "k:4 k:2 k:BackSpace k:Return", true, 4},
    {"KeysEscape", 0, 99, 0, "k:4 k:Escape", false, 0},
    {"TheWholeIntRange", INT32_MIN, INT32_MAX, 0, "+/- 2 1 4 7 4 8 3 6 4 8 9 OK", true, INT32_MIN},
};

void PrintTo(const KeypadCase& c, std::ostream* out) { *out << c.name; }

using KeypadParam = std::tuple<KeypadCase, Presentation>;

class Keypad : public EntryTest, public ::testing::WithParamInterface<KeypadParam> {};

TEST_P(Keypad, AnswersAndLeavesTheScreenAsItWas) {
  const auto& [c, mode] = GetParam();
  setPresentation(mode);
  const ProgramState before = drawProgram();
  steps.push_back([&c] { queueInput(c.input, keypadKey); });
  int value = c.start;
  EXPECT_EQ(enterNumber("Setpoint", &value, c.minimum, c.maximum), c.accepted);
  EXPECT_EQ(value, c.value);
  expectProgramBack(before);
  EXPECT_EQ(quit, 0);
}

std::string keypadName(const ::testing::TestParamInfo<KeypadParam>& info) {
  return std::string(std::get<0>(info.param).name) +
         (std::get<1>(info.param) == Presentation::PER_EVENT ? "_PerEvent" : "_PerDrawing");
}

INSTANTIATE_TEST_SUITE_P(Cases, Keypad,
                         ::testing::Combine(::testing::ValuesIn(KEYPAD_CASES),
                                            ::testing::Values(Presentation::PER_DRAWING,
                                                              Presentation::PER_EVENT)),
                         keypadName);

TEST_F(EntryTest, KeypadShowsTheRangeOnlyAfterAnOkOutsideIt) {
  drawProgram();
  auto warnings = [] {
    int count = 0;
    for (int y = H / 12; y < H / 6; ++y) {
      for (int x = 0; x < 2 * W / 3; ++x) count += shownPixel(x, y) == 0xF0C040 ? 1 : 0;
    }
    return count;
  };
  int before = -1;
  int after = -1;
  steps.push_back([&] {
    before = warnings();
    queueInput("9 OK", keypadKey);
  });
  steps.push_back([&] {
    after = warnings();
    queueInput("Cancel", keypadKey);
  });
  int value = 1;
  EXPECT_FALSE(enterNumber("Setpoint", &value, 10, 20));
  EXPECT_EQ(before, 0);
  EXPECT_GT(after, 0);
}

TEST_F(EntryTest, NoPanelForAnEmptyRangeOrWhileOneIsOpen) {
  const ProgramState before = drawProgram();
  int value = 3;
  EXPECT_FALSE(enterNumber("Empty", &value, 5, 4));
  bool nested = true;
  char text[8] = "x";
  steps.push_back([&] {
    nested = enterNumber("Nested", &value, 0, 9) || enterText("Nested", text, 8);
    queueInput("Cancel", keypadKey);
  });
  EXPECT_FALSE(enterNumber("Outer", &value, 0, 9));
  EXPECT_FALSE(nested);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(std::string(text), "x");
  expectProgramBack(before);
}

// What a program's handler draws while the panel is open (a timer's, once
// there are timers) stays off the panel and shows once it closes.
TEST_F(EntryTest, ProgramDrawingShowsOnlyAfterThePanelCloses) {
  for (Presentation mode : {Presentation::PER_DRAWING, Presentation::PER_EVENT}) {
    SCOPED_TRACE(mode == Presentation::PER_EVENT ? "per event" : "per drawing");
    freeViewList();
    setPresentation(mode);
    drawProgram();
    uint32_t keyWhileOpen = 0;
    steps.push_back([] { fillScreen(PROGRAM_DRAWING); });
    steps.push_back([&] {
      const Point key = keypadKey("5");
      keyWhileOpen = shownPixel(key.first - 40, key.second);
      queueInput("OK", keypadKey);
    });
    int value = 21;
    EXPECT_TRUE(enterNumber("Setpoint", &value, 0, 99));
    EXPECT_EQ(keyWhileOpen, static_cast<uint32_t>(buttonbackground));
    presentScreen();
    EXPECT_EQ(pointsNot(PROGRAM_DRAWING), std::set<Point>{});
    EXPECT_EQ(shownPixel(W / 2, H / 2), PROGRAM_DRAWING);
  }
}

struct KeyboardCase {
  const char* name;
  const char* start;
  int capacity;
  const char* input;
  bool accepted;
  const char* text;
};

// Character rows: "0.i/10" is q to p, "1.i/9" a to l, "2.i/7" z to m, "3.i/8"
// the signs below them; on the third page "0.i/10" is 1 to 0, "1.i/11" ! to +.
constexpr KeyboardCase KEYBOARD_CASES[] = {
    {"Letters", "", 25, "1.5/9 0.7/10 OK", true, "hi"},
    {"StartsFromTheText", "ab", 25, "2.2/7 OK", true, "abc"},
    {"ShiftedPage", "", 25, "page1 1.5/9 page1 0.7/10 OK", true, "Hi"},
    {"DigitsAndSignsPage", "", 25, "page2 0.3/10 0.1/10 1.0/11 page1 0.0/10 OK", true, "42!q"},
    {"SpaceAndBack", "ab", 25, "Space 2.0/7 Back Back 2.6/7 OK", true, "abm"},
    {"BackOnEmpty", "", 25, "Back 0.0/10 OK", true, "q"},
    {"CapacityLimitsTheText", "", 4, "0.0/10 0.1/10 0.2/10 0.3/10 0.4/10 OK", true, "qwe"},
    {"StartLongerThanTheCapacityIsCut", "abcdef", 4, "OK", true, "abc"},
    {"CapacityOneTakesNothing", "", 1, "0.0/10 OK", true, ""},
    {"Cancel", "keep", 25, "0.0/10 Cancel", false, "keep"},
    {"KeysType", "", 25, "k:Z k:~ k:a k:BackSpace k:! k:Return", true, "Z!"},
    {"KeysEscape", "keep", 25, "k:x k:Escape", false, "keep"},
};

void PrintTo(const KeyboardCase& c, std::ostream* out) { *out << c.name; }

using KeyboardParam = std::tuple<KeyboardCase, Presentation>;

class Keyboard : public EntryTest, public ::testing::WithParamInterface<KeyboardParam> {};

TEST_P(Keyboard, AnswersAndLeavesTheScreenAsItWas) {
  const auto& [c, mode] = GetParam();
  setPresentation(mode);
  const ProgramState before = drawProgram();
  steps.push_back([&c] { queueInput(c.input, keyboardKey); });
  char text[32];
  std::snprintf(text, sizeof text, "%s", c.start);
  text[c.capacity] = '\0';
  // The bytes past the capacity are never written.
  text[c.capacity + 1] = '#';
  EXPECT_EQ(enterText("Name", text, c.capacity), c.accepted);
  EXPECT_EQ(std::string(text), c.text);
  EXPECT_EQ(text[c.capacity + 1], '#');
  expectProgramBack(before);
}

std::string keyboardName(const ::testing::TestParamInfo<KeyboardParam>& info) {
  return std::string(std::get<0>(info.param).name) +
         (std::get<1>(info.param) == Presentation::PER_EVENT ? "_PerEvent" : "_PerDrawing");
}

INSTANTIATE_TEST_SUITE_P(Cases, Keyboard,
                         ::testing::Combine(::testing::ValuesIn(KEYBOARD_CASES),
                                            ::testing::Values(Presentation::PER_DRAWING,
                                                              Presentation::PER_EVENT)),
                         keyboardName);

}  // namespace
