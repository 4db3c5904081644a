// The real panelwright on Xvfb, driven by XTest pointer events: the start
// screen, drops, moves, resizes, Copy, Delete, steppers, saving, loading and
// its end.
#include <stdlib.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "harness.h"
#include "start_screen.h"

namespace fs = std::filesystem;

namespace {

constexpr int WIDTH = 710;
constexpr int HEIGHT = 640;

struct Region {
  int x0, y0, x1, y1;  // inclusive
};

int countOf(const Screenshot& shot, uint32_t colour, const Region& r) {
  int count = 0;
  for (int y = r.y0; y <= r.y1; ++y) {
    for (int x = r.x0; x <= r.x1; ++x) count += shot.at(x, y) == colour ? 1 : 0;
  }
  return count;
}

class Panelwright : public ::testing::TestWithParam<Runtime> {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/panelwright-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    workdir = folder;
  }

  void TearDown() override {
    designer.reset();
    std::error_code ignored;
    fs::remove_all(workdir, ignored);
  }

  void start(bool unprivileged = false) {
    designer = std::make_unique<XSession>(programPath("panelwright"), WIDTH, HEIGHT, GetParam(),
                                          workdir.string(), unprivileged);
    ASSERT_TRUE(designer->ok()) << designer->error();
  }

  void expectPixels(std::initializer_list<Sample> samples, const std::string& after) {
    const Screenshot shot = designer->capture();
    for (const Sample& s : samples) {
      EXPECT_EQ(hexColour(shot.at(s.x, s.y)), hexColour(s.colour)) << after << ": " << s.what;
    }
  }

  fs::path workdir;
  std::unique_ptr<XSession> designer;
};

struct Drop {
  int entryX, entryY, width, height;  // the palette entry
  int x, y;                           // where its copy goes
  const char* what;
};

// Far enough apart that what meters and sliders draw beside themselves
// stays off the other views.
const Drop DROPS[] = {
    {464, 48, 80, 32, 40, 40, "label"},
    {576, 48, 80, 32, 160, 40, "button"},
    {464, 96, 32, 64, 40, 110, "vertical meter"},
    {544, 128, 64, 32, 160, 130, "horizontal meter"},
    {464, 192, 128, 32, 60, 220, "horizontal slider"},
    {640, 144, 32, 128, 300, 200, "vertical slider"},
    {448, 240, 160, 16, 40, 300, "number view"},
    {440, 295, 144, 96, 40, 360, "graphic view"},
};

// Each dropped widget looks like its palette entry, except that the canvas's
// white shows where the entry lets the palette's grey through. The outermost
// two pixels are left out: the selection frame lies on the edges.
TEST_P(Panelwright, StartScreenAndADropOfEachPaletteEntry) {
  start();
  EXPECT_EQ(designer->windowTitle(), "panelwright - gui.txt");
  const Screenshot startShot = designer->capture();
  for (const Sample& s : START_SCREEN) {
    EXPECT_EQ(hexColour(startShot.at(s.x, s.y)), hexColour(s.colour)) << s.what;
  }
  EXPECT_GT(countOf(startShot, BLUE, {440, 450, 589, 469}), 0) << "blue caption";
  EXPECT_GT(countOf(startShot, SLATE_BLUE, {455, 418, 485, 430}), 0) << "Copy caption";

  for (const Drop& d : DROPS) {
    designer->drag(d.entryX + 3, d.entryY + 3, d.x + 3, d.y + 3);
  }
  const Screenshot shot = designer->capture();
  for (const Drop& d : DROPS) {
    int differing = 0;
    std::string first;
    for (int r = 2; r <= d.height - 2; ++r) {
      for (int c = 2; c <= d.width - 2; ++c) {
        const uint32_t entry = startShot.at(d.entryX + c, d.entryY + r);
        const uint32_t placed = shot.at(d.x + c, d.y + r);
        if (placed == entry || (entry == PALE_GREY && placed == WHITE)) continue;
        if (differing++ == 0) {
          first = "(" + std::to_string(c) + "," + std::to_string(r) + ") is " + hexColour(placed) +
                  ", the entry " + hexColour(entry);
        }
      }
    }
    EXPECT_EQ(differing, 0) << d.what << ": " << first;
  }
  // The last drop is selected: a grey frame three pixels wide on its edges.
  for (int x : {40, 112, 184}) {
    EXPECT_EQ(hexColour(shot.at(x, 359)), hexColour(LIGHT_GREY_PIXEL)) << x;
    EXPECT_EQ(hexColour(shot.at(x, 357)), hexColour(WHITE)) << x;
  }
  EXPECT_TRUE(designer->running());
}

TEST_P(Panelwright, MoveResizeCopyDeleteAndSteppers) {
  start();
  designer->drag(467, 51, 103, 103);  // a label to (100, 100)
  designer->click(610, 425);          // Grid on
  expectPixels({{585, 425, SLATE_BLUE, "Grid, pressed"}}, "Grid on");

  // Grabbed at (40, 16), snapped to (32, 16); released at (250, 333), snapped
  // to (240, 320): the label lands on (208, 304).
  designer->drag(140, 116, 250, 333);
  expectPixels({{248, 303, LIGHT_GREY_PIXEL, "frame, top"},
                {248, 302, WHITE, "above the frame"},
                {207, 320, LIGHT_GREY_PIXEL, "frame, left"},
                {206, 320, WHITE, "left of the frame"},
                {140, 100, WHITE, "old place"}},
               "move with the grid on");

  designer->click(610, 425);  // Grid off
  expectPixels({{585, 425, PALE_GREY, "Grid, released"}}, "Grid off");
  designer->drag(286, 320, 316, 320);  // right edge: width 80 + 30
  expectPixels(
      {{318, 320, LIGHT_GREY_PIXEL, "frame, new right edge"}, {288, 320, WHITE, "old right edge"}},
      "resize by the right edge");
  designer->drag(250, 333, 250, 353);  // bottom edge: height 32 + 20
  expectPixels({{250, 356, LIGHT_GREY_PIXEL, "frame, new bottom edge"},
                {312, 336, WHITE, "old bottom edge"}},
               "resize by the bottom edge");
  designer->drag(316, 354, 326, 359);  // corner: width 120, height 57
  expectPixels(
      {{328, 330, LIGHT_GREY_PIXEL, "frame, right"}, {250, 361, LIGHT_GREY_PIXEL, "frame, bottom"}},
      "resize by the corner");

  designer->click(470, 425);  // Copy: 120 by 57 at (218, 314)
  expectPixels({{300, 314, LIGHT_GREY_PIXEL, "the copy's border, top"},
                {338, 340, LIGHT_GREY_PIXEL, "the copy's border, right"},
                {250, 303, WHITE, "no selection frame"}},
               "Copy");
  designer->click(540, 425);  // Delete the copy
  expectPixels({{300, 314, WHITE, "deleted"}, {338, 340, WHITE, "deleted"}}, "Delete");

  designer->click(250, 330);  // select the label again, grabbed at (42, 26)
  for (int i = 0; i < 3; ++i) designer->click(445, 496);  // incwidth
  designer->click(660, 496);                              // decypos
  expectPixels({{331, 330, LIGHT_GREY_PIXEL, "frame at the new right edge"},
                {250, 302, LIGHT_GREY_PIXEL, "frame at the new top edge"},
                {250, 299, WHITE, "above the frame"}},
               "steppers");

  // A release on the leftmost column lies outside every view; the layout is
  // unsaved, so the designer asks first.
  designer->click(0, 300);
  expectPixels({{455, 105, YELLOW, "alert box"}, {475, 165, PALE_GREY, "Cancel"}}, "edge release");
  designer->click(595, 165);  // OK
  EXPECT_EQ(designer->waitExit(20000), 0) << designer->stderrText();
}

TEST_P(Panelwright, SaveCancelledThenConfirmedThenQuit) {
  std::ofstream(workdir / "gui.txt") << "previous layout\n";
  start();
  designer->drag(467, 51, 99, 67);    // a label to (96, 64)
  designer->drag(579, 51, 211, 307);  // a button to (208, 304)
  designer->click(540, 591);          // Save
  expectPixels({{455, 105, YELLOW, "alert box"},
                {450, 150, BLACK, "alert box, border"},
                {475, 165, PALE_GREY, "Cancel"},
                {565, 165, PALE_GREY, "OK"}},
               "Save");
  designer->click(505, 165);  // Cancel
  expectPixels({{455, 105, PALE_GREY, "alert gone"}}, "Cancel");
  EXPECT_EQ(fileText(workdir / "gui.txt"), "previous layout\n");

  designer->click(540, 591);  // Save
  designer->click(595, 165);  // OK
  expectPixels({{455, 105, PALE_GREY, "alert gone"}}, "OK");
  EXPECT_EQ(fileText(workdir / "gui.txt"),
            "newLabel(80, 32, 96, 64, \" Label\");\n"
            "newButton(80, 32, 208, 304, 0, \"Button\");\n");
  EXPECT_TRUE(designer->running());

  designer->click(610, 591);  // Quit
  EXPECT_EQ(designer->waitExit(20000), 0) << designer->stderrText();
}

// Started without --canvas in a folder whose gui.txt was made for an 800 by
// 480 panel, the designer opens that canvas, with the panel beside it moved
// right by 400; a drop near its far corner is saved after the canvas line.
TEST_P(Panelwright, OpensTheCanvasItsFoldersLayoutNames) {
  std::ofstream(workdir / "gui.txt") << "// canvas 800x480\n";
  designer = std::make_unique<XSession>(programPath("panelwright"), 1110, 640, GetParam(),
                                        workdir.string());
  ASSERT_TRUE(designer->ok()) << designer->error();
  designer->settle();
  expectPixels({{1105, 635, LIGHT_GREY_PIXEL, "window's bottom-right corner"},
                {500, 300, WHITE, "canvas"},
                {820, 300, NEAR_BLACK, "canvas outline, right"},
                {400, 500, NEAR_BLACK, "canvas outline, bottom"},
                {1085, 100, PALE_GREY, "palette backdrop"},
                {985, 591, PALE_GREY, "Quit, body"}},
               "start");
  designer->drag(867, 51, 743, 463);  // the label entry to (740, 460)
  designer->click(940, 591);          // Save
  designer->click(995, 165);          // OK
  EXPECT_EQ(fileText(workdir / "gui.txt"),
            "// canvas 800x480\nnewLabel(80, 32, 740, 460, \" Label\");\n");
  designer->click(1010, 591);  // Quit
  EXPECT_EQ(designer->waitExit(20000), 0) << designer->stderrText();
  EXPECT_EQ(designer->stderrText(), "");
}

// The left of the screen, the canvas and the window around it; the property
// panel shows the selected view and so differs after a load.
bool sameCanvas(const Screenshot& a, const Screenshot& b, std::string* first) {
  for (int y = 0; y < HEIGHT; ++y) {
    for (int x = 0; x < 430; ++x) {
      if (a.at(x, y) != b.at(x, y)) {
        *first = "(" + std::to_string(x) + "," + std::to_string(y) + ") is " +
                 hexColour(b.at(x, y)) + ", was " + hexColour(a.at(x, y));
        return false;
      }
    }
  }
  return true;
}

// Load restores a saved picture, brings a hand-edited text onto the canvas and
// refuses a bad file; a save into a folder named gui.txt keeps the layout, and
// once the folder is gone a save works.
TEST_P(Panelwright, LoadRestoresLayoutsAndAFailedSaveKeepsThem) {
  start();
  const Drop placed[] = {DROPS[0], DROPS[1], DROPS[4], DROPS[7]};
  for (const Drop& d : placed) designer->drag(d.entryX + 3, d.entryY + 3, d.x + 3, d.y + 3);
  designer->click(540, 591);  // Save
  designer->click(595, 165);  // OK
  const std::string saved = fileText(workdir / "gui.txt");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4) << saved;
  const Screenshot layout = designer->capture();

  for (const Drop& d : placed) {
    designer->click(d.x + d.width / 2, d.y + d.height / 2);  // select
    designer->click(540, 425);                               // Delete
  }
  designer->drag(467, 99, 303, 103);  // a vertical meter to (300, 100)
  designer->click(470, 591);          // Load
  expectPixels({{455, 105, YELLOW, "alert box"},
                {475, 165, PALE_GREY, "Cancel"},
                {565, 165, PALE_GREY, "OK"}},
               "Load over placed views asks first");
  designer->click(595, 165);  // OK
  std::string first;
  EXPECT_TRUE(sameCanvas(layout, designer->capture(), &first)) << "restored picture: " << first;

  std::ofstream(workdir / "gui.txt") << "newLabel(80, 32, 40, 40, \"Hello\");\r\n"
                                     << "newButton(100, 40, 200, 300, 3, \"Edited\");\n";
  designer->click(470, 591);  // Load
  designer->click(595, 165);  // OK
  expectPixels({{42, 56, DARK_GREY, "the label's H"},
                {42, 66, WHITE, "below it"},
                {216, 320, BLACK, "the button's E"},
                {212, 320, WHITE, "left of it"}},
               "hand-edited texts");
  const Screenshot edited = designer->capture();

  std::ofstream(workdir / "gui.txt")
      << "newLabel(80, 32, 40, 40, \"x\");\nnewVMeter(0, 10, 5, 5);\n";
  designer->click(470, 591);  // Load
  expectPixels({{455, 105, YELLOW, "alert box"},
                {475, 165, YELLOW, "no Cancel for a message"},
                {565, 165, PALE_GREY, "OK"}},
               "a bad file");
  designer->click(595, 165);  // OK
  EXPECT_TRUE(sameCanvas(edited, designer->capture(), &first)) << "after a bad file: " << first;

  fs::remove(workdir / "gui.txt");
  fs::create_directory(workdir / "gui.txt");
  designer->click(540, 591);  // Save
  designer->click(595, 165);  // OK
  expectPixels({{455, 105, YELLOW, "alert box"}, {475, 165, YELLOW, "no Cancel for a message"}},
               "a save into a folder");
  designer->click(595, 165);  // OK
  EXPECT_TRUE(sameCanvas(edited, designer->capture(), &first)) << "after a failed save: " << first;
  EXPECT_TRUE(designer->running());

  fs::remove(workdir / "gui.txt");
  designer->click(540, 591);  // Save
  designer->click(595, 165);  // OK
  EXPECT_EQ(fileText(workdir / "gui.txt"),
            "newLabel(80, 32, 40, 40, \"Hello\");\n"
            "newButton(100, 40, 200, 300, 3, \"Edited\");\n");
  designer->click(610, 591);  // Quit
  EXPECT_EQ(designer->waitExit(20000), 0);
  EXPECT_EQ(designer->stderrText(),
            "gui.txt line 2: width below 1\n"
            "Can't open output file gui.txt!\n"
            "gui.txt: Is a directory\n"
            "Unsaved layout written to " +
                (workdir / "gui.txt.save").string() + "\n");
}

// The designer runs as an ordinary user here, since root writes into any folder.
TEST_P(Panelwright, ReadOnlyFolderShowsTheMessageAndKeepsRunning) {
  using fs::perms;
  fs::permissions(workdir, perms::owner_read | perms::owner_exec | perms::group_read |
                               perms::group_exec | perms::others_read | perms::others_exec);
  start(true);
  designer->drag(467, 51, 99, 67);  // a label to (96, 64)
  designer->click(540, 591);        // Save
  designer->click(595, 165);        // OK
  expectPixels({{455, 105, YELLOW, "alert box"}, {475, 165, YELLOW, "no Cancel for a message"}},
               "a save into a read-only folder");
  designer->click(595, 165);  // OK
  expectPixels(
      {{455, 105, PALE_GREY, "alert gone"}, {100, 64, LIGHT_GREY_PIXEL, "the label's border"}},
      "message dismissed");
  EXPECT_TRUE(fs::is_empty(workdir)) << "nothing is left behind";
  designer->click(610, 591);  // Quit: the layout is unsaved, so it asks
  designer->click(595, 165);  // OK
  EXPECT_EQ(designer->waitExit(20000), 0);
  // The layout went to the home folder instead.
  const std::string said = designer->stderrText();
  EXPECT_TRUE(
      said.starts_with("Can't open output file gui.txt!\n"
                       "gui.txt: Permission denied\n"
                       "Unsaved layout written to /"))
      << said;
  EXPECT_TRUE(said.ends_with("/home/gui.txt.save\n")) << said;
}

// Real key presses: select a button, rename it, give it an id, nudge it, undo
// the last nudge and save with the keys alone.
TEST_P(Panelwright, KeysRenameSetAnIdNudgeUndoAndSave) {
  start();
  designer->drag(579, 51, 211, 307);  // a button to (208, 304)
  designer->click(248, 320);          // select the button
  // Shortcuts while editing type no letter on either runtime.
  designer->keys(
      "F2 BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace g o Control_L+s "
      "Control_L+z");
  expectPixels({{449, 541, DARK_GREY, "the caret after \"go\" in the text view"},
                {449, 540, LIGHT_GREY_PIXEL, "above the caret"}},
               "typing");
  designer->keys("Tab BackSpace 4 2 Return Right Right Right Control_L+z Control_L+s");
  designer->keys("Return");
  EXPECT_EQ(fileText(workdir / "gui.txt"), "newButton(80, 32, 210, 304, 42, \"go\");\n");
  designer->click(610, 591);  // Quit: saved, so it ends at once
  EXPECT_EQ(designer->waitExit(20000), 0) << designer->stderrText();
}

// A stop with unsaved work writes the layout beside gui.txt, says where, and
// ends the designer by the signal as before.
TEST_P(Panelwright, StopSignalKeepsUnsavedWork) {
  start();
  designer->drag(467, 51, 99, 67);  // a label to (96, 64)
  designer->sendSignal(SIGTERM);
  EXPECT_EQ(designer->waitSignal(20000), SIGTERM);
  EXPECT_EQ(fileText(workdir / "gui.txt.save"), "newLabel(80, 32, 96, 64, \" Label\");\n");
  EXPECT_EQ(designer->stderrText(),
            "Unsaved layout written to " + (workdir / "gui.txt.save").string() + "\n");
  EXPECT_FALSE(fs::exists(workdir / "gui.txt"));
}

INSTANTIATE_TEST_SUITE_P(Runtimes, Panelwright, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

}  // namespace
