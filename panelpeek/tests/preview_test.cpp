// The preview on SDL's dummy driver: what it shows at start, when it looks at
// the file again, and what a good, a bad or a missing file does to the screen,
// the view list and the messages.
#include "preview.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "rig.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view TWO_VIEWS =
    "newVMeter(32, 64, 30, 100);\nnewButton(80, 32, 130, 30, 5, \"Go\");\n";
constexpr std::string_view THREE_VIEWS =
    "newHSlider(128, 32, 30, 200);\nnewLabel(80, 32, 300, 550, \" Label\");\n"
    "newNumView(160, 16, 30, 400);\n";
constexpr std::string_view BAD_SECOND_LINE = "newVMeter(32, 64, 30, 100);\nnewVMeter(32, 64);\n";

constexpr uint32_t ELSEWHERE = 0x123456;

// Many views of one kind, one per line, all at the given x.
std::string manyViews(int count, int x) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "newVMeter(10, 20, " + std::to_string(x) + ", " + std::to_string(i) + ");\n";
  }
  return text;
}

class PreviewTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    char folder[] = "/tmp/panelpeek-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    dir = folder;
    path = (dir / "gui.txt").string();
    messages = std::tmpfile();
    ASSERT_NE(messages, nullptr);
  }
  void TearDown() override {
    std::fclose(messages);
    fs::remove_all(dir);
    ScreenTest::TearDown();
  }

  // Starts the preview and draws its first screen over a colour the preview
  // never uses, as main does once the screen is open.
  void start() {
    clearScreen(ELSEWHERE);
    startPreview(&preview, path.c_str(), messages);
    drawAllViews();
    resetFlipCount();
  }

  // As the designer saves: a new file renamed over the old one.
  void replaceFile(std::string_view text) {
    const fs::path scratch = dir / "gui.txt.new";
    std::ofstream(scratch, std::ios::binary) << text;
    fs::rename(scratch, path);
  }

  void editInPlace(std::string_view text) { std::ofstream(path, std::ios::binary) << text; }

  std::string messagesText() {
    std::fflush(messages);
    std::rewind(messages);
    std::string text;
    for (int c; (c = std::fgetc(messages)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  std::vector<View*> shownViews() { return {viewList, viewList + noOfViews()}; }

  fs::path dir;
  std::string path;
  FILE* messages = nullptr;
  Preview preview{};
};

TEST_F(PreviewTest, ABackgroundViewPaintsTheScreenWhiteUnderTheLayout) {
  editInPlace(TWO_VIEWS);
  start();
  ASSERT_EQ(noOfViews(), 3);
  const View* background = getView(0);
  EXPECT_EQ(background->type, VIEW_LABEL);
  EXPECT_EQ(background->width, 400);
  EXPECT_EQ(background->height, 600);
  EXPECT_EQ(background->xpos, 0);
  EXPECT_EQ(background->ypos, 0);
  EXPECT_EQ(background->border, COLOR_NONE);
  EXPECT_EQ(background->background, CANVAS_WHITE);
  EXPECT_STREQ(background->text, "");
  EXPECT_EQ(messagesText(), "");

  // The background view paints exactly what a plain white fill does.
  const std::vector<uint32_t> shown = snapshot();
  clearScreen(ELSEWHERE);
  fillScreen(CANVAS_WHITE);
  getView(0)->status = STATUS_HIDDEN;
  drawAllViews();
  EXPECT_EQ(snapshot(), shown);
}

// WRITE is an edit in place seen half-done at the first look.
enum class Change { NONE, REPLACE, EDIT, TOUCH, REMOVE, WRITE };

struct Step {
  const char* what;
  Change change;
  std::string_view text;
  Uint32 now;           // SDL ticks when the preview looks
  bool redrawn;         // the layout's views were replaced and drawn
  int views;            // of the layout, after the step
  const char* message;  // the line reported after the file's name, if any
};

constexpr Step STEPS[] = {
    {"unchanged", Change::NONE, "", 200, false, 2, nullptr},
    {"replaced, seen once", Change::REPLACE, THREE_VIEWS, 599, false, 2, nullptr},
    {"unchanged since it was seen", Change::NONE, "", 1000, true, 3, nullptr},
    {"replaced by the same text", Change::REPLACE, THREE_VIEWS, 1400, true, 3, nullptr},
    {"edited in place", Change::EDIT, TWO_VIEWS, 1800, true, 2, nullptr},
    {"only its times set", Change::TOUCH, "", 2200, true, 2, nullptr},
    {"edited into a bad file", Change::EDIT, BAD_SECOND_LINE, 2600, false, 2,
     " line 2: not a layout line"},
    {"still bad", Change::NONE, "", 3000, false, 2, nullptr},
    {"still bad much later", Change::NONE, "", 9000, false, 2, nullptr},
    {"replaced by another bad file", Change::REPLACE, BAD_SECOND_LINE, 9400, false, 2,
     " line 2: not a layout line"},
    {"removed", Change::REMOVE, "", 9800, false, 2, ": no such file"},
    {"still missing", Change::NONE, "", 10200, false, 2, nullptr},
    {"written again", Change::EDIT, THREE_VIEWS, 10600, true, 3, nullptr},
    {"being written in place", Change::WRITE, TWO_VIEWS, 11000, false, 3, nullptr},
    {"written", Change::NONE, "", 11400, true, 2, nullptr},
};

TEST_F(PreviewTest, ReloadsWhenTheFileChangedAndKeepsTheLayoutOfABadFile) {
  editInPlace(TWO_VIEWS);
  start();
  std::string reported;
  for (const Step& step : STEPS) {
    switch (step.change) {
      case Change::NONE:
        break;
      case Change::REPLACE:
        replaceFile(step.text);
        break;
      case Change::EDIT:
        editInPlace(step.text);
        break;
      case Change::TOUCH: {
        const timespec times[2] = {{1'000'000, 0}, {1'000'000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        break;
      }
      case Change::REMOVE:
        fs::remove(path);
        break;
      case Change::WRITE:
        editInPlace(step.text.substr(0, step.text.size() / 2));
        break;
    }
    const std::vector<View*> before = shownViews();
    const std::vector<uint32_t> picture = snapshot();
    resetFlipCount();
    // Two looks: a file is read once it has held still between them.
    watchLayout(&preview, step.now);
    if (step.change == Change::WRITE) editInPlace(step.text);
    watchLayout(&preview, step.now + WATCH_INTERVAL_MS);
    EXPECT_EQ(flipCount() > 0, step.redrawn) << step.what;
    EXPECT_EQ(noOfViews(), 1 + step.views) << step.what;
    if (!step.redrawn) {
      EXPECT_EQ(shownViews(), before) << step.what << ": the same records stay";
      EXPECT_EQ(snapshot(), picture) << step.what;
    }
    if (step.message != nullptr) reported += path + step.message + "\n";
    EXPECT_EQ(messagesText(), reported) << step.what;
  }
}

// With the folder watched, the loop's serving of the watch shows a completed
// rewrite at once, and a file still being written not before it is closed.
TEST_F(PreviewTest, AWatchedFolderShowsACompletedRewriteAtOnce) {
  editInPlace(TWO_VIEWS);
  start();
  ASSERT_TRUE(watchLayoutFolder(&preview));
  EXPECT_EQ(previewWaitMs(&preview), WAIT_UNTIL_EVENT) << "no looks while nothing changes";
  int writer = -1;
  struct News {
    const char* what;
    std::function<void()> change;
    bool redrawn;
    int views;
  };
  const News steps[] = {
      {"renamed into place", [&] { replaceFile(THREE_VIEWS); }, true, 3},
      {"written in place and closed", [&] { editInPlace(TWO_VIEWS); }, true, 2},
      {"another file of the folder", [&] { std::ofstream(dir / "other.txt") << "x"; }, false, 2},
      {"half written, still open",
       [&] {
         writer = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
         ASSERT_EQ(write(writer, THREE_VIEWS.data(), 20), 20);
       },
       false, 2},
      {"written whole and closed",
       [&] {
         const auto rest = static_cast<ssize_t>(THREE_VIEWS.size() - 20);
         ASSERT_EQ(write(writer, THREE_VIEWS.data() + 20, static_cast<size_t>(rest)), rest);
         close(writer);
       },
       true, 3},
  };
  for (const News& step : steps) {
    resetFlipCount();
    step.change();
    eventLoop();
    presentScreen();
    EXPECT_EQ(flipCount() > 0, step.redrawn) << step.what;
    EXPECT_EQ(noOfViews(), 1 + step.views) << step.what;
  }
  EXPECT_EQ(messagesText(), "");
  unwatchFile(preview.folderEvents);
  close(preview.folderEvents);
}

// The list holds the background and a layout of up to 118 views; the records
// of every replaced layout are freed (the leak checker of the sanitizer build
// sees any that are not) and the slots they leave hold nothing.
TEST_F(PreviewTest, ReloadsNeverFillTheList) {
  const std::string full = manyViews(PREVIEW_SLOTS - 2, 40);
  editInPlace(full);
  start();
  ASSERT_EQ(noOfViews(), PREVIEW_SLOTS - 1);
  Uint32 now = 0;
  for (int round = 0; round < 40; ++round) {
    const bool small = round % 2 == 0;
    replaceFile(small ? THREE_VIEWS : std::string_view(manyViews(PREVIEW_SLOTS - 2, round)));
    watchLayout(&preview, now += WATCH_INTERVAL_MS);
    watchLayout(&preview, now += WATCH_INTERVAL_MS);
    ASSERT_EQ(noOfViews(), 1 + (small ? 3 : PREVIEW_SLOTS - 2)) << round;
    for (int i = noOfViews(); i < PREVIEW_SLOTS; ++i) ASSERT_EQ(viewList[i], nullptr) << round;
  }
  replaceFile(manyViews(PREVIEW_SLOTS - 1, 0));
  watchLayout(&preview, now += WATCH_INTERVAL_MS);
  watchLayout(&preview, now += WATCH_INTERVAL_MS);
  EXPECT_EQ(noOfViews(), PREVIEW_SLOTS - 1) << "the last good layout stays";
  EXPECT_EQ(messagesText(), path + " line 119: more views than the view list can hold\n");
}

}  // namespace
