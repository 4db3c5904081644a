// The designer's keys, pressed through SDL's queue: each sequence starts on a
// label at (40, 40) and a selected button at (160, 40), both just dropped.
#include <sstream>
#include <string>

#include "designer_test.h"

namespace {

constexpr const char* LABEL_LINE = "newLabel(80, 32, 40, 40, \" Label\");\n";

struct KeyCase {
  const char* what;
  const char* keys;   // named keys, 'text typed, Save, Grid, Hold/Let (a press and release)
  const char* panel;  // the text view afterwards, or null
  const char* file;   // what Save wrote after the label's line, or null when there is no Save
  bool asAtStart;     // the screen before any Save is the start screen
};

const KeyCase CASES[] = {
    {"rename", "Enter BS*6 'Go Enter Save", "Go", "newButton(80, 32, 160, 40, 0, \"Go\");", false},
    {"caret shows the end of the text", "F2 'abcdefg", "cdefg_", nullptr, false},
    {"Escape restores", "F2 BS 'xyz Esc", "Button", nullptr, true},
    {"id after Tab", "Enter 'X Tab BS '-42 Enter Save", "ButtonX",
     "newButton(80, 32, 160, 40, -42, \"ButtonX\");", false},
    {"id keeps to digits and the int range", "Enter Tab BS '2147483648x-", "48364_", nullptr,
     false},
    {"Escape restores the id only", "Enter Tab '7 Esc Save", nullptr,
     "newButton(80, 32, 160, 40, 0, \"Button\");", true},
    {"24 characters at most", "Enter 'abcdefghijklmnopqrstuvwxyz Enter Save", nullptr,
     "newButton(80, 32, 160, 40, 0, \"Buttonabcdefghijklmnopqr\");", false},
    {"quote and backslash escaped", "Enter BS*6 'a\"b\\ Enter Save", nullptr,
     "newButton(80, 32, 160, 40, 0, \"a\\\"b\\\\\");", false},
    {"arrows", "Right*2 Down Left Up*2 Save", nullptr, "newButton(80, 32, 161, 39, 0, \"Button\");",
     false},
    {"arrows on the grid", "Right Grid Right Down Left*2 Save", nullptr,
     "newButton(80, 32, 144, 48, 0, \"Button\");", false},
    {"Shift resizes, never below 1", "S-Right S-Down Grid S-Left*6 Save", nullptr,
     "newButton(1, 33, 160, 40, 0, \"Button\");", false},
    {"Delete, Copy", "C-d Del C-d Save", nullptr,
     "newButton(80, 32, 160, 40, 0, \"Button\");\nnewButton(80, 32, 180, 60, 0, \"Button\");",
     false},
    {"undo every kind of edit", "Enter 'X Tab '1 Enter Right S-Down C-d Del Hold Let Step C-z*7",
     nullptr, nullptr, true},
    {"redo after undo", "Right C-d C-z*2 C-y C-S-z Save", nullptr,
     "newButton(80, 32, 161, 40, 0, \"Button\");\nnewButton(80, 32, 171, 50, 0, \"Button\");",
     false},
    {"a new edit drops the redo steps", "Right C-z Down C-y Save", nullptr,
     "newButton(80, 32, 160, 41, 0, \"Button\");", false},
    {"undo the drops", "C-z*2 Save", nullptr, "\0", false},
    {"keys during a drag do nothing", "Hold Right Del C-d C-z Let", nullptr, nullptr, true},
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.what; }

constexpr struct {
  const char* name;
  SDLKey key;
} NAMED_KEYS[] = {{"Enter", SDLK_RETURN}, {"F2", SDLK_F2},        {"Esc", SDLK_ESCAPE},
                  {"Tab", SDLK_TAB},      {"BS", SDLK_BACKSPACE}, {"Del", SDLK_DELETE},
                  {"Left", SDLK_LEFT},    {"Right", SDLK_RIGHT},  {"Up", SDLK_UP},
                  {"Down", SDLK_DOWN},    {"d", SDLK_d},          {"s", SDLK_s},
                  {"y", SDLK_y},          {"z", SDLK_z}};

class Keys : public DesignerInFolder, public testing::WithParamInterface<KeyCase> {
 protected:
  static void press(const std::string& token) {
    if (token == "Save") {
      whenWaiting([] { pushKey(SDLK_RETURN); });
      pushKey(SDLK_s, KMOD_LCTRL);
    } else if (token == "Grid") {
      queueTap(gridbutton);
    } else if (token == "Step") {
      queueTap(incwidth);
    } else if (token == "Hold" || token == "Let") {
      (token == "Hold" ? pushPress : pushRelease)(200, 56, SDL_BUTTON_LEFT);
    } else if (token[0] == '\'') {
      for (char c : token.substr(1)) pushKey(SDLK_UNKNOWN, KMOD_NONE, static_cast<Uint16>(c));
    } else {
      const size_t dash = token.rfind('-');
      const std::string name = dash == std::string::npos ? token : token.substr(dash + 1);
      int mod = token.find("C-") != std::string::npos ? KMOD_LCTRL : KMOD_NONE;
      if (token.find("S-") != std::string::npos) mod |= KMOD_LSHIFT;
      for (const auto& k : NAMED_KEYS) {
        if (name == k.name) pushKey(k.key, static_cast<SDLMod>(mod));
      }
    }
    dispatch();
  }

  static void pressAll(const std::string& keys) {
    std::istringstream words(keys);
    for (std::string word; words >> word;) {
      const size_t star = word.find('*');
      const int times = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
      for (int i = 0; i < times; ++i) press(word.substr(0, star));
    }
  }
};

TEST_P(Keys, GiveTheViewsPanelFileAndPicture) {
  const KeyCase& c = GetParam();
  place(labelview, 40, 40);
  place(buttonview, 160, 40);
  const auto start = snapshot();
  const std::string keys = c.keys;
  const size_t save = keys.find("Save");
  pressAll(keys.substr(0, save));
  if (c.panel != nullptr) {
    EXPECT_STREQ(textlabel->text, c.panel);
  }
  EXPECT_EQ(snapshot() == start, c.asAtStart);
  if (save == std::string::npos) return;
  pressAll("Save");
  // "\0": both drops undone, nothing is saved.
  const std::string lines = *c.file == '\0' ? "" : LABEL_LINE + std::string(c.file) + "\n";
  EXPECT_EQ(layoutText(), lines);
  expectAlertHidden();
  // What was saved loads back as the same views.
  if (placedViewsShowing()) whenWaiting([] { pushKey(SDLK_RETURN); });
  pushKey(SDLK_o, KMOD_RCTRL);
  dispatch();
  pressAll("Save");
  EXPECT_EQ(layoutText(), lines);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Keys, testing::ValuesIn(CASES));

}  // namespace
