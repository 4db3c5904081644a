// The designer's keys, pressed through SDL's queue: each sequence starts on a
// label at (40, 40) and a selected button at (160, 40), both just dropped.
#include <sstream>
#include <string>

#include "designer_test.h"

namespace {

constexpr const char* LABEL_LINE = "newLabel(80, 32, 40, 40, \" Label\");\n";

// Keys by SDL's names, c- and s- for Ctrl and Shift, *n for n presses, 'text
// typed; Save (Ctrl+S answered with Enter), Grid, Step (incwidth), Hold and
// Let (a press and a release on the button).
struct KeyCase {
  const char* keys;
  const char* file;             // what Save wrote after the label's line; "\0" for nothing at all
  const char* panel = nullptr;  // the text view before Save
  bool asAtStart = false;       // the screen before Save is the start screen
};

const KeyCase CASES[] = {
    {"return backspace*6 'Go return Save", "newButton(80, 32, 160, 40, 0, \"Go\");", "Go"},
    {"return backspace*6 'Go c's c'z c^s c^z a'x return Save",
     "newButton(80, 32, 160, 40, 0, \"Go\");", "Go"},
    {"f2 'abcdefg", nullptr, "cdefg_"},
    {"return tab '7 escape f2 backspace 'xyz escape", nullptr, "Button", true},
    {"return 'X tab backspace '-42 return Save", "newButton(80, 32, 160, 40, -42, \"ButtonX\");"},
    {"return tab backspace '2147483648x-", nullptr, "48364_"},
    {"return 'abcdefghijklmnopqrstuvwxyz return Save",
     "newButton(80, 32, 160, 40, 0, \"Buttonabcdefghijklmnopqr\");"},
    {"return backspace*6 'a\"b\\ return Save", "newButton(80, 32, 160, 40, 0, \"a\\\"b\\\\\");"},
    {"right*2 down left up*2 Save", "newButton(80, 32, 161, 39, 0, \"Button\");"},
    {"right Grid right down left*2 Save", "newButton(80, 32, 144, 48, 0, \"Button\");"},
    {"s-right s-down Grid s-left*6 Save", "newButton(1, 33, 160, 40, 0, \"Button\");"},
    {"c-d delete c-d Save",
     "newButton(80, 32, 160, 40, 0, \"Button\");\nnewButton(80, 32, 180, 60, 0, \"Button\");"},
    {"return 'X tab '1 return right s-down c-d delete Hold Let Step c-z*7", nullptr, nullptr, true},
    {"right c-d c-z*2 c-y c-s-z Save",
     "newButton(80, 32, 161, 40, 0, \"Button\");\nnewButton(80, 32, 171, 50, 0, \"Button\");"},
    {"right c-z down c-y Save", "newButton(80, 32, 160, 41, 0, \"Button\");"},
    {"c-z*2 Save", "\0"},
    {"Hold right delete c-d c-z Let", nullptr, nullptr, true},
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.keys; }

void pushNamedKey(const std::string& name, int mod) {
  if (name.starts_with("c-")) return pushNamedKey(name.substr(2), mod | KMOD_LCTRL);
  if (name.starts_with("s-")) return pushNamedKey(name.substr(2), mod | KMOD_LSHIFT);
  for (int k = SDLK_FIRST; k < SDLK_LAST; ++k) {
    if (name == SDL_GetKeyName(static_cast<SDLKey>(k))) {
      pushKey(static_cast<SDLKey>(k), static_cast<SDLMod>(mod));
    }
  }
}

class Keys : public DesignerInFolder, public testing::WithParamInterface<KeyCase> {
 protected:
  static void press(const std::string& token) {
    if (token == "Save") whenWaiting([] { pushKey(SDLK_RETURN); });
    if (token == "Save") pushKey(SDLK_s, KMOD_LCTRL);
    if (token == "Grid" || token == "Step") queueTap(token == "Grid" ? gridbutton : incwidth);
    if (token == "Hold" || token == "Let") (token == "Hold" ? pushPress : pushRelease)(200, 56, 1);
    if (token[0] == '\'') {
      for (char c : token.substr(1)) pushKey(SDLK_UNKNOWN, KMOD_NONE, static_cast<Uint16>(c));
    }
    // Ctrl or Alt with a letter, as the runtimes report it: c'x and a'x with
    // the letter itself, c^x with its control character.
    if (token.size() == 3 && (token[1] == '\'' || token[1] == '^')) {
      const SDLMod mod = token[0] == 'a' ? KMOD_LALT : KMOD_LCTRL;
      const char letter = token[2];
      pushKey(static_cast<SDLKey>(letter), mod,
              static_cast<Uint16>(token[1] == '^' ? letter & 0x1F : letter));
    }
    if (std::islower(token[0])) pushNamedKey(token, KMOD_NONE);
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
  pressAll(std::string(c.keys).substr(0, std::string(c.keys).find("Save")));
  EXPECT_STREQ(textlabel->text, c.panel != nullptr ? c.panel : textlabel->text);
  EXPECT_EQ(snapshot() == start, c.asAtStart);
  if (c.file == nullptr) return;
  pressAll("Save");
  const std::string lines = *c.file == '\0' ? "" : LABEL_LINE + std::string(c.file) + "\n";
  EXPECT_EQ(layoutText(), lines);
  // What was saved loads back as the same views.
  if (placedViewsShowing()) whenWaiting([] { pushKey(SDLK_RETURN); });
  pressAll("c-o Save");
  EXPECT_EQ(layoutText(), lines);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Keys, testing::ValuesIn(CASES));

}  // namespace
