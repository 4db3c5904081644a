// The real preview on Xvfb beside a program made of the same layout's
// constructor calls: the two screens must be the same, pixel for pixel, at
// start, under the pointer, and after the file is saved again.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "harness.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 600;

// The every-kind layout moved back by the canvas offset puts its button at
// (110, 10), 80 by 32, and its horizontal slider at (10, 180), 128 by 32.
constexpr int ON_BUTTON_X = 150;
constexpr int ON_BUTTON_Y = 25;
constexpr int SLIDER_FROM_X = 40;
constexpr int SLIDER_TO_X = 100;
constexpr int SLIDER_Y = 196;

std::string everyKindLayout() {
  std::ifstream in(EVERY_KIND_LAYOUT, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first `count` lines of a text.
std::string firstLines(const std::string& text, int count) {
  size_t end = 0;
  for (int i = 0; i < count && end != std::string::npos; ++i) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

// Where two screens differ, or "" when they are the same.
std::string difference(const Screenshot& shown, const Screenshot& expected) {
  int count = 0;
  std::string first;
  for (size_t i = 0; i < shown.pixels.size(); ++i) {
    if (shown.pixels[i] != expected.pixels[i] && count++ == 0) {
      first = " first at (" + std::to_string(i % WIDTH) + ", " + std::to_string(i / WIDTH) + ")";
    }
  }
  return count == 0 ? "" : std::to_string(count) + " pixels differ," + first;
}

bool waitFor(const std::function<bool()>& holds, int timeoutMs = 20000) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!holds()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class Panelpeek : public ::testing::TestWithParam<Runtime> {
 protected:
  // The screen of the compiled layout's first `count` views (all when -1),
  // after the pointer input given, if any.
  Screenshot compiledScreen(int count = -1, const std::function<void(XSession&)>& input = nullptr) {
    std::vector<std::string> arguments;
    if (count >= 0) arguments.push_back(std::to_string(count));
    XSession compiled(programPath("panelpeek_compiled_layout"), WIDTH, HEIGHT, GetParam(), "",
                      false, arguments);
    EXPECT_TRUE(compiled.ok()) << compiled.error();
    if (!compiled.ok()) return {};
    compiled.settle();
    if (input) input(compiled);
    return compiled.capture();
  }

  void startPreview(const std::vector<std::string>& arguments = {}) {
    preview = std::make_unique<XSession>(programPath("panelpeek"), WIDTH, HEIGHT, GetParam(),
                                         workdir.string(), false, arguments);
    ASSERT_TRUE(preview->ok()) << preview->error();
    preview->settle();
  }

  // Waits until the preview shows the expected screen; what still differs if
  // it does not.
  std::string awaitScreen(const Screenshot& expected) {
    waitFor([&] {
      preview->settle();
      return preview->capture().pixels == expected.pixels;
    });
    return difference(preview->capture(), expected);
  }

  // As the designer saves: a new file renamed over the old one.
  void replaceFile(const fs::path& file, const std::string& text) {
    const fs::path scratch = file.string() + ".new";
    std::ofstream(scratch, std::ios::binary) << text;
    fs::rename(scratch, file);
  }

  void SetUp() override {
    char folder[] = "/tmp/panelpeek-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    workdir = folder;
  }
  void TearDown() override {
    preview.reset();
    fs::remove_all(workdir);
  }

  fs::path workdir;
  std::unique_ptr<XSession> preview;
};

void pressButton(XSession& session) {
  session.moveTo(ON_BUTTON_X, ON_BUTTON_Y);
  session.press();
  session.settle();
}

void releaseButton(XSession& session) {
  session.release();
  session.settle();
}

void dragSlider(XSession& session) { session.drag(SLIDER_FROM_X, SLIDER_Y, SLIDER_TO_X, SLIDER_Y); }

TEST_P(Panelpeek, ShowsAndWorksTheLayoutAsTheCompiledProgramDoes) {
  const Screenshot atStart = compiledScreen();
  const Screenshot pressed = compiledScreen(-1, pressButton);
  const Screenshot dragged = compiledScreen(-1, [](XSession& s) {
    pressButton(s);
    releaseButton(s);
    dragSlider(s);
  });
  ASSERT_NE(difference(pressed, atStart), "") << "the button's pressed look shows";
  ASSERT_NE(difference(dragged, pressed), "") << "the slider's knob moves";

  std::ofstream(workdir / "gui.txt", std::ios::binary) << everyKindLayout();
  startPreview();
  EXPECT_EQ(difference(preview->capture(), atStart), "") << "at start";
  pressButton(*preview);
  EXPECT_EQ(difference(preview->capture(), pressed), "") << "button held down";
  releaseButton(*preview);
  dragSlider(*preview);
  EXPECT_EQ(difference(preview->capture(), dragged), "") << "slider dragged";
  EXPECT_EQ(preview->stderrText(), "");

  preview->click(0, 300);
  EXPECT_EQ(preview->waitExit(20000), 0) << preview->stderrText();
}

TEST_P(Panelpeek, FollowsTheFileAndKeepsTheLastGoodLayout) {
  const Screenshot white = compiledScreen(0);
  const Screenshot firstFour = compiledScreen(4);
  const Screenshot everyKind = compiledScreen();
  const std::string layout = everyKindLayout();
  const fs::path file = workdir / "screen.txt";

  startPreview({"screen.txt"});
  EXPECT_EQ(preview->windowTitle(), "panelpeek - screen.txt");
  EXPECT_EQ(difference(preview->capture(), white), "") << "no file yet";
  const std::string missing = "screen.txt: no such file\n";
  EXPECT_EQ(preview->stderrText(), missing);

  replaceFile(file, layout);
  EXPECT_EQ(awaitScreen(everyKind), "") << "the file saved";
  replaceFile(file, firstLines(layout, 4));
  EXPECT_EQ(awaitScreen(firstFour), "") << "saved again with four views";

  replaceFile(file, firstLines(layout, 2) + "newVSlider(32, 128, 200);\n");
  const std::string refused = missing + "screen.txt line 3: not a layout line\n";
  EXPECT_TRUE(waitFor([&] { return preview->stderrText() == refused; })) << preview->stderrText();
  // The preview looks at the file five times a second: a second's looks at the
  // bad file must neither change the screen nor report it again.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  preview->settle();
  EXPECT_EQ(difference(preview->capture(), firstFour), "") << "after the bad file";
  EXPECT_EQ(preview->stderrText(), refused);

  std::ofstream(file, std::ios::binary) << layout;
  EXPECT_EQ(awaitScreen(everyKind), "") << "edited in place";
  EXPECT_EQ(preview->stderrText(), refused);

  preview->sendSignal(SIGINT);
  EXPECT_EQ(preview->waitSignal(), SIGINT);
}

// A layout made for an 800 by 480 panel opens a screen of that size, its
// views where they stood on that canvas; a file saved later for another
// canvas is shown on the same screen and said once.
TEST_P(Panelpeek, OpensTheCanvasSizeItsFileNames) {
  std::ofstream(workdir / "gui.txt", std::ios::binary)
      << "// canvas 800x480\nnewButton(80, 32, 720, 448, 0, \"Far\");\n";
  preview =
      std::make_unique<XSession>(programPath("panelpeek"), 800, 480, GetParam(), workdir.string());
  ASSERT_TRUE(preview->ok()) << preview->error();
  preview->settle();
  const Screenshot shown = preview->capture();
  ASSERT_EQ(shown.width * shown.height, 800 * 480);
  // The button stands at (700, 428), 80 by 32, near the bottom-right corner.
  EXPECT_EQ(shown.at(699, 440), 0xFFFFFFu) << "canvas left of the button";
  preview->moveTo(740, 444);
  preview->press();
  preview->settle();
  EXPECT_NE(preview->capture().at(705, 444), shown.at(705, 444)) << "the button pressed";
  preview->release();

  replaceFile(workdir / "gui.txt", "newButton(80, 32, 120, 48, 0, \"Near\");\n");
  const std::string said =
      "gui.txt: made for a 400x600 canvas; the screen stays 800x480 until panelpeek is started "
      "again\n";
  EXPECT_TRUE(waitFor([&] { return preview->stderrText() == said; })) << preview->stderrText();
  EXPECT_TRUE(waitFor([&] { return preview->capture().at(705, 444) == 0xFFFFFFu; }))
      << "the new layout replaces the old one";
}

INSTANTIATE_TEST_SUITE_P(Runtimes, Panelpeek, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

}  // namespace
