// The pictures in docs/ are what the programs draw: each is taken from the
// real program on Xvfb and compared pixel by pixel with the committed PNG, and
// the layout in examples/layout is compared with what the designer saves.
// With KIOSKTK_WRITE_PICTURES=1 in the environment the test writes them
// instead (scripts/pictures.sh).
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <tuple>

#include "harness.h"
#include "png_image.h"

namespace fs = std::filesystem;

namespace {

// A part of a picture, written to a file of its own.
struct Crop {
  const char* file;  // below docs/
  int x, y, width, height;
};

struct Scene {
  const char* name;     // docs/<name>.png
  const char* program;  // a binary of this build
  int width, height;
  void (*act)(XSession&);  // done before the picture is taken; null for the start screen
  bool savesLayout;        // the designer's gui.txt is examples/layout/gui.txt
  std::span<const Crop> crops;
};

void PrintTo(const Scene& scene, std::ostream* out) { *out << scene.name; }

// A palette entry's top-left corner and the canvas point its copy is dropped at.
struct Drop {
  int entryX, entryY, x, y;
};

// With the grid off each copy lands exactly where it is dropped.
constexpr Drop LAYOUT_DROPS[] = {
    {464, 48, 40, 40},     // label
    {448, 240, 40, 90},    // number view
    {464, 192, 60, 140},   // horizontal slider
    {544, 128, 240, 140},  // horizontal meter
    {640, 144, 60, 220},   // vertical slider
    {464, 96, 160, 250},   // vertical meter
    {576, 48, 240, 300},   // button
};

constexpr int SAVE_X = 540, SAVE_Y = 591;
constexpr int OK_X = 595, OK_Y = 165;

void placeAndSaveLayout(XSession& designer) {
  for (const Drop& d : LAYOUT_DROPS) designer.drag(d.entryX + 3, d.entryY + 3, d.x + 3, d.y + 3);
  designer.click(SAVE_X, SAVE_Y);
  designer.click(OK_X, OK_Y);
}

// Each widget of the layout example, with what it draws beside itself.
constexpr Crop WIDGET_CROPS[] = {
    {"widgets/label.png", 12, 12, 96, 48},     {"widgets/numview.png", 12, 62, 176, 32},
    {"widgets/hslider.png", 24, 116, 160, 40}, {"widgets/hmeter.png", 212, 100, 84, 60},
    {"widgets/vslider.png", 36, 182, 40, 160}, {"widgets/vmeter.png", 132, 220, 70, 84},
    {"widgets/button.png", 212, 272, 96, 48},
};

// The buttons of entry_scene that open the keypad and the keyboard.
constexpr int KEYPAD_BUTTON_X = 84, KEYBOARD_BUTTON_X = 236, ENTRY_BUTTON_Y = 200;

void openKeypad(XSession& scene) { scene.click(KEYPAD_BUTTON_X, ENTRY_BUTTON_Y); }
void openKeyboard(XSession& scene) { scene.click(KEYBOARD_BUTTON_X, ENTRY_BUTTON_Y); }

const Scene SCENES[] = {
    {"panelwright", "panelwright", 710, 640, nullptr, false, {}},
    {"panelwright-layout", "panelwright", 710, 640, placeAndSaveLayout, true, {}},
    {"tallyboard", "tallyboard", 400, 600, nullptr, false, {}},
    {"shapescope", "shapescope", 400, 600, nullptr, false, {}},
    {"tintpad", "tintpad", 400, 600, nullptr, false, {}},
    {"counter", "counter_example", 400, 600, nullptr, false, {}},
    {"layout", "layout_example", 400, 600, nullptr, false, WIDGET_CROPS},
    {"keypad", "entry_scene", 320, 240, openKeypad, false, {}},
    {"keyboard", "entry_scene", 320, 240, openKeyboard, false, {}},
};

bool writing() {
  const char* value = std::getenv("KIOSKTK_WRITE_PICTURES");
  return value != nullptr && std::string(value) == "1";
}

Image cropOf(const Image& picture, const Crop& c) {
  Image part{c.width, c.height, {}};
  for (int y = c.y; y < c.y + c.height; ++y) {
    for (int x = c.x; x < c.x + c.width; ++x) {
      part.pixels.push_back(picture.pixels[static_cast<size_t>(y) * picture.width + x]);
    }
  }
  return part;
}

// Compares with the committed picture, or writes it. A picture that differs
// is left in the build folder to look at.
void checkOrWrite(const Image& drawn, const std::string& name) {
  const fs::path committed = fs::path(DOCS_DIR) / name;
  if (writing()) {
    fs::create_directories(committed.parent_path());
    EXPECT_EQ(writePng(committed, drawn), "");
    return;
  }
  Image expected;
  const std::string error = readPng(committed, expected);
  ASSERT_EQ(error, "") << "scripts/pictures.sh draws the pictures";
  ASSERT_EQ(expected.width, drawn.width) << name;
  ASSERT_EQ(expected.height, drawn.height) << name;
  int differing = 0;
  std::string first;
  for (size_t i = 0; i < drawn.pixels.size(); ++i) {
    if (drawn.pixels[i] == expected.pixels[i]) continue;
    if (differing++ == 0) {
      first = "(" + std::to_string(i % drawn.width) + ", " + std::to_string(i / drawn.width) +
              ") is " + hexColour(drawn.pixels[i]) + ", the picture has " +
              hexColour(expected.pixels[i]);
    }
  }
  if (differing == 0) return;
  const fs::path now = fs::path(DRAWN_DIR) / fs::path(name).filename();
  writePng(now, drawn);
  ADD_FAILURE() << name << ": " << differing << " pixels differ, first " << first
                << "; what the program draws now is in " << now;
}

using Param = std::tuple<Scene, Runtime>;

class Pictures : public ::testing::TestWithParam<Param> {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/pictures-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    workdir = folder;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(workdir, ignored);
  }
  fs::path workdir;
};

TEST_P(Pictures, MatchWhatTheProgramDraws) {
  const auto& [scene, runtime] = GetParam();
  if (writing() && runtime.name != "system") GTEST_SKIP() << "written from one runtime";
  XSession app(programPath(scene.program), scene.width, scene.height, runtime, workdir.string());
  ASSERT_TRUE(app.ok()) << app.error();
  if (scene.act != nullptr) scene.act(app);
  ASSERT_TRUE(app.running());
  const Screenshot shot = app.capture();
  const Image drawn{shot.width, shot.height, shot.pixels};
  checkOrWrite(drawn, std::string(scene.name) + ".png");
  for (const Crop& c : scene.crops) {
    ASSERT_LE(c.x + c.width, drawn.width) << c.file;
    ASSERT_LE(c.y + c.height, drawn.height) << c.file;
    checkOrWrite(cropOf(drawn, c), c.file);
  }
  if (!scene.savesLayout) return;
  const std::string saved = fileText(workdir / "gui.txt");
  ASSERT_FALSE(saved.empty()) << "the designer saved no layout";
  if (writing()) {
    std::ofstream out(SAVED_LAYOUT, std::ios::binary);
    out << saved;
    EXPECT_TRUE(out.good()) << "cannot write " << SAVED_LAYOUT;
  } else {
    EXPECT_EQ(fileText(SAVED_LAYOUT), saved) << "scripts/pictures.sh saves the layout anew";
  }
}

std::string sceneName(const ::testing::TestParamInfo<Param>& info) {
  std::string name = std::get<0>(info.param).name;
  for (char& c : name) c = c == '-' ? '_' : c;
  return name + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Docs, Pictures,
                         ::testing::Combine(::testing::ValuesIn(SCENES),
                                            ::testing::ValuesIn(sdlRuntimes())),
                         sceneName);

}  // namespace
