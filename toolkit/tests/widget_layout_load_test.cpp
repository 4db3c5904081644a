// Creating views from layout files: the loader moves every view by the offset
// within the int range, and creates nothing at all from a file it refuses or
// one the view list has no room for.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "layout_cases.h"
#include "widget_picture.h"

namespace fs = std::filesystem;

namespace {

class LayoutLoad : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    char folder[] = "/tmp/layout-load-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    dir = folder;
    path = (dir / "gui.txt").string();
  }
  void TearDown() override {
    fs::remove_all(dir);
    WidgetTest::TearDown();
  }

  void write(std::string_view text) {
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
  }

  // Fills the list until it has room for exactly `room` more views.
  static void leaveRoomFor(int room) {
    while (viewListSlots - 1 - noOfViews() > room) newView(1, 1, 0, 0);
  }

  // Nothing was created: the count, the registered records and the slot past
  // them are as they were, and nothing was drawn.
  void expectListUnchanged(int count, const std::string& what) {
    EXPECT_EQ(noOfViews(), count) << what;
    for (int i = 0; i < count; ++i) EXPECT_EQ(getView(i)->type, VIEW_PLAIN) << what << ": " << i;
    EXPECT_EQ(viewList[count], nullptr) << what;
    EXPECT_EQ(flipCount(), 0) << what;
  }

  fs::path dir;
  std::string path;
};

TEST_F(LayoutLoad, EveryKindTakesTheIdOfItsLine) {
  std::string text;
  for (const IdLine& c : ID_LINES) {
    if (c.reason == nullptr) text += c.text;
  }
  write(text + "newButton(80, 32, 0, 0, 9, \"OK\");\n");
  LayoutError error{};
  ASSERT_EQ(loadLayout(path.c_str(), 0, 0, &error), 5) << error.reason;
  EXPECT_EQ(getView(0)->id, 7);
  EXPECT_EQ(getView(1)->id, INT32_MIN);
  EXPECT_EQ(getView(2)->id, 12);
  EXPECT_EQ(getView(3)->id, 0);
  EXPECT_EQ(getView(4)->id, 9);
  EXPECT_EQ(findViewById(12), getView(2));
}

TEST_F(LayoutLoad, RefusedFilesCreateNothing) {
  newView(1, 1, 0, 0);
  newView(1, 1, 0, 0);
  for (const LayoutCase& c : BAD_LAYOUTS) {
    write(c.text);
    LayoutError error{};
    EXPECT_EQ(loadLayout(path.c_str(), 0, 0, &error), -1) << c.name;
    EXPECT_STREQ(error.file, path.c_str()) << c.name;
    EXPECT_EQ(error.line, c.line) << c.name;
    EXPECT_STREQ(error.reason, c.reason) << c.name;
    expectListUnchanged(2, c.name);
  }
  fs::remove(path);
  LayoutError error{};
  EXPECT_EQ(loadLayout(path.c_str(), 0, 0, &error), -1);
  char message[400];
  describeLayoutError(&error, message, sizeof message);
  EXPECT_EQ(message, path + ": no such file");
  expectListUnchanged(2, "a missing file");
}

TEST_F(LayoutLoad, AFileLargerThanTheRoomLeftCreatesNothing) {
  write(EVERY_FORM);
  leaveRoomFor(7);
  const int before = noOfViews();
  LayoutError error{};
  EXPECT_EQ(loadLayout(path.c_str(), 0, 0, &error), -1);
  EXPECT_EQ(error.line, 8);
  EXPECT_STREQ(error.reason, "more views than the view list can hold");
  expectListUnchanged(before, "room for 7 of 8");

  freeViewList();
  leaveRoomFor(8);
  ASSERT_EQ(loadLayout(path.c_str(), 0, 0, &error), 8) << error.reason;
  EXPECT_EQ(noOfViews(), viewListSlots - 1) << "every view registered";
  EXPECT_EQ(getView(noOfViews() - 1)->type, VIEW_HSLIDER);

  write("");
  EXPECT_EQ(loadLayout(path.c_str(), 0, 0, &error), 0) << "an empty layout fits a full list";
  write("newVMeter(1, 2, 3, 4);\n");
  EXPECT_EQ(loadLayout(path.c_str(), 0, 0, &error), -1);
  EXPECT_EQ(error.line, 1);
  EXPECT_EQ(noOfViews(), viewListSlots - 1);
}

struct OffsetCase {
  const char* line;
  int dx, dy;
  int errorLine;  // 0 when the view is made
  int32_t x, y;   // where it is made
};

constexpr OffsetCase OFFSET_CASES[] = {
    {"newVMeter(32, 64, 30, 100);", -20, -20, 0, 10, 80},
    {"newLabel(80, 32, 5, 7, \"a\");", -20, -20, 0, -15, -13},
    {"newButton(80, 32, 0, 0, 3, \"b\");", 2147483647, -2147483647 - 1, 0, INT32_MAX, INT32_MIN},
    {"newHSlider(128, 32, -2147483628, 2147483627);", -20, 20, 0, INT32_MIN, INT32_MAX},
    {"newHSlider(128, 32, -2147483629, 0);", -20, 0, 1, 0, 0},
    {"newVSlider(32, 128, 0, 2147483628);", 0, 20, 1, 0, 0},
    {"\nnewNumView(1, 1, 2147483647, 0);", 1, 0, 2, 0, 0},
    {"newGraphicView(1, 1, 0, 0);\nnewHMeter(1, 1, 0, -1);", 0, -2147483647 - 1, 2, 0, 0},
};

TEST_F(LayoutLoad, MovesEveryViewByTheOffsetWithinTheIntRange) {
  for (const OffsetCase& c : OFFSET_CASES) {
    freeViewList();
    write(c.line);
    LayoutError error{};
    const int made = loadLayout(path.c_str(), c.dx, c.dy, &error);
    if (c.errorLine != 0) {
      EXPECT_EQ(made, -1) << c.line;
      EXPECT_EQ(error.line, c.errorLine) << c.line;
      EXPECT_STREQ(error.reason, "moved position outside the int range") << c.line;
      EXPECT_EQ(noOfViews(), 0) << c.line << ": a refused file creates nothing";
      continue;
    }
    ASSERT_EQ(made, 1) << c.line << ": " << error.reason;
    EXPECT_EQ(getView(0)->xpos, c.x) << c.line;
    EXPECT_EQ(getView(0)->ypos, c.y) << c.line;
  }
}

}  // namespace
