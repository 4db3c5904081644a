// Reading and writing layout files: every form and tolerance, every kind of
// bad input, and mutated files that must never be misread.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "layout_cases.h"
#include "rig.h"

namespace fs = std::filesystem;

namespace {

constexpr int ROOMY = 64;

int parse(std::string_view text, std::vector<LayoutView>* views, LayoutError* error,
          int capacity = ROOMY) {
  views->assign(static_cast<size_t>(capacity), LayoutView{});
  const int count = parseLayout(text.data(), text.size(), views->data(), capacity, error);
  if (count >= 0) views->resize(static_cast<size_t>(count));
  return count;
}

bool sameViews(const std::vector<LayoutView>& a, const std::vector<LayoutView>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const View x = viewOfLine(a[i]);
    const View y = viewOfLine(b[i]);
    if (std::memcmp(&x, &y, sizeof x) != 0) return false;
  }
  return true;
}

TEST(LayoutParse, ReadsEveryFormWithItsFields) {
  std::vector<LayoutView> views;
  LayoutError error{};
  ASSERT_EQ(parse(EVERY_FORM, &views, &error), 8) << error.reason;
  const LayoutView expected[] = {
      {1, VIEW_LABEL, 80, 32, 96, 64, 0, " Label"},
      {2, VIEW_BUTTON, 80, 32, 208, 304, 7, "Button"},
      {3, VIEW_NUMVIEW, 160, 16, 30, 400, 0, ""},
      {4, VIEW_GRAPHIC, 144, 96, 200, 400, 0, ""},
      {5, VIEW_VMETER, 32, 64, 30, 100, 0, ""},
      {6, VIEW_HMETER, 64, 32, 110, 130, 0, ""},
      {7, VIEW_VSLIDER, 32, 128, 200, 200, 0, ""},
      {8, VIEW_HSLIDER, 128, 32, -30, INT32_MIN, 0, ""},
  };
  for (size_t i = 0; i < std::size(expected); ++i) {
    const LayoutView& e = expected[i];
    const LayoutView& v = views[i];
    EXPECT_EQ(v.line, e.line) << i;
    EXPECT_EQ(v.type, e.type) << i;
    EXPECT_EQ(v.width, e.width) << i;
    EXPECT_EQ(v.height, e.height) << i;
    EXPECT_EQ(v.xpos, e.xpos) << i;
    EXPECT_EQ(v.ypos, e.ypos) << i;
    EXPECT_EQ(v.id, e.id) << i;
    EXPECT_STREQ(v.text, e.text) << i;
  }
}

TEST(LayoutParse, WritesBackTheSameBytes) {
  std::vector<LayoutView> views;
  LayoutError error{};
  ASSERT_EQ(parse(EVERY_FORM, &views, &error), 8);
  EXPECT_EQ(linesOf(views), EVERY_FORM);
  // The longest line any view gives is written whole, line feed included.
  View longest{VIEW_BUTTON, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN,
               "",          0,         0,         0,         0,         0};
  std::memset(longest.text, '"', VIEW_TEXT_LENGTH);
  char line[LAYOUT_LINE_SIZE];
  ASSERT_EQ(formatLayoutLine(&longest, line), 128);
  EXPECT_STREQ(line + 122, "\\\"\");\n");
}

TEST(LayoutParse, IdsAfterTheCallAreReadAndWrittenBack) {
  for (const IdLine& c : ID_LINES) {
    std::vector<LayoutView> views;
    LayoutError error{};
    const int count = parse(c.text, &views, &error);
    if (c.reason != nullptr) {
      EXPECT_EQ(count, -1) << c.text;
      EXPECT_STREQ(error.reason, c.reason) << c.text;
      continue;
    }
    ASSERT_EQ(count, 1) << c.text << ": " << error.reason;
    EXPECT_EQ(views[0].id, c.id) << c.text;
    EXPECT_EQ(linesOf(views), c.written);
  }
  // The longest line of all: a label with an id.
  View longest{VIEW_LABEL, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN,
               "",         0,         0,         0,         0,         0};
  std::memset(longest.text, '\\', VIEW_TEXT_LENGTH);
  char line[LAYOUT_LINE_SIZE];
  ASSERT_EQ(formatLayoutLine(&longest, line), LAYOUT_LINE_SIZE - 1);
  EXPECT_STREQ(line + 108, "\\\\\")->id = -2147483648;\n");
}

TEST(LayoutParse, AcceptsEveryTolerance) {
  for (const LayoutCase& c : GOOD_LAYOUTS) {
    std::vector<LayoutView> views;
    LayoutError error{};
    EXPECT_EQ(parse(c.text, &views, &error), c.views) << c.name << ": " << error.reason;
  }
  std::vector<LayoutView> views;
  LayoutError error{};
  ASSERT_EQ(
      parse(" \tnewButton ( 80 ,\t32 , 1 , 2 , -3 ,  \"  O K \" ) ;\t \r\n\n", &views, &error), 1);
  EXPECT_EQ(linesOf(views), "newButton(80, 32, 1, 2, -3, \"  O K \");\n");
  ASSERT_EQ(parse("\n\nnewLabel(9, 9, 0, 0, \"abcdefghijklmnopqrstuvwx\")", &views, &error), -1);
  ASSERT_EQ(parse("\n\nnewLabel(9, 9, 0, 0, \"abcdefghijklmnopqrstuvwx\");", &views, &error), 1);
  EXPECT_STREQ(views[0].text, "abcdefghijklmnopqrstuvwx");
  EXPECT_EQ(views[0].line, 3);
}

TEST(LayoutParse, RefusesBadInputNamingTheLine) {
  for (const LayoutCase& c : BAD_LAYOUTS) {
    std::vector<LayoutView> views;
    LayoutError error{};
    EXPECT_EQ(parse(c.text, &views, &error), -1) << c.name;
    EXPECT_EQ(error.line, c.line) << c.name;
    EXPECT_STREQ(error.reason, c.reason) << c.name;
    EXPECT_EQ(error.fault, LayoutFault::BAD_LINE) << c.name;
  }
}

TEST(LayoutParse, RefusesMoreViewsThanTheCapacity) {
  const std::string_view three =
      "newVMeter(1, 2, 3, 4);\n\nnewVMeter(1, 2, 3, 4);\n"
      "newVMeter(1, 2, 3, 4);\n";
  std::vector<LayoutView> views;
  LayoutError error{};
  EXPECT_EQ(parse(three, &views, &error, 3), 3);
  EXPECT_EQ(parse(three, &views, &error, 2), -1);
  EXPECT_EQ(error.line, 4);
  EXPECT_STREQ(error.reason, "more views than the view list can hold");
  EXPECT_EQ(error.fault, LayoutFault::TOO_MANY_VIEWS);
  EXPECT_EQ(parse("", &views, &error, 0), 0);
  EXPECT_EQ(parse("newVMeter(1, 2, 3, 4);", &views, &error, 0), -1);
}

class LayoutFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/layout-read-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    dir = folder;
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string refusal(const fs::path& path, LayoutFault fault = LayoutFault::UNREADABLE_FILE) {
    LayoutView views[4];
    LayoutError error{};
    EXPECT_EQ(readLayout(path.c_str(), views, 4, &error), -1);
    EXPECT_EQ(error.fault, fault) << path;
    char message[400];
    describeLayoutError(&error, message, sizeof message);
    return message;
  }

  fs::path dir;
};

TEST_F(LayoutFile, RefusesWhatIsNoLayoutFile) {
  const std::string name = (dir / "gui.txt").string();
  EXPECT_EQ(refusal(dir / "gui.txt", LayoutFault::NO_FILE), name + ": no such file");
  fs::create_directory(dir / "gui.txt");
  EXPECT_EQ(refusal(dir / "gui.txt"), name + ": a folder, not a file");
  fs::remove(dir / "gui.txt");
  ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
  EXPECT_EQ(refusal(dir / "gui.txt"), name + ": not a regular file");
  fs::remove(dir / "gui.txt");
  std::ofstream(dir / "gui.txt") << std::string(LAYOUT_FILE_LIMIT + 1, '\n');
  EXPECT_EQ(refusal(dir / "gui.txt"), name + ": larger than 1 MiB");
  std::ofstream(dir / "gui.txt") << "newVMeter(1, 2, 3, 4);\nnewVMeter(1, 0, 3, 4);\n";
  EXPECT_EQ(refusal(dir / "gui.txt", LayoutFault::BAD_LINE), name + " line 2: height below 1");
}

// The first line names the canvas; the rest of the file is not looked at.
TEST_F(LayoutFile, ReadsTheCanvasOfTheFirstLine) {
  const std::string path = (dir / "gui.txt").string();
  for (const auto& [text, width, height] : {std::tuple{"newVMeter(1, 2, 3, 4);\n", 400, 600},
                                            {"\n// canvas 800x480\n", 400, 600},
                                            {" \t// \tcanvas\t480x800 \r\n(no view)", 480, 800}}) {
    std::ofstream(path, std::ios::binary) << text;
    int w = 0, h = 0;
    LayoutError error{};
    EXPECT_TRUE(readLayoutCanvas(path.c_str(), &w, &h, &error)) << text;
    EXPECT_EQ(std::pair(w, h), std::pair(width, height)) << text;
  }
  std::ofstream(path, std::ios::binary) << "// canvas 800x0\n";
  EXPECT_EQ(refusal(path, LayoutFault::BAD_LINE), path + " line 1: canvas size outside 1 to 8192");
}

TEST_F(LayoutFile, ReadsTheWholeFile) {
  std::ofstream(dir / "gui.txt", std::ios::binary) << EVERY_FORM;
  LayoutView views[8];
  LayoutError error{};
  ASSERT_EQ(readLayout((dir / "gui.txt").c_str(), views, 8, &error), 8);
  EXPECT_EQ(linesOf({views, views + 8}), EVERY_FORM);
}

// Mutations of good files that keep most of their shape, and plain noise: a
// text is either refused with a line inside it, or read into views that write
// back as a file that reads as the same views.
TEST(LayoutParse, MutatedFilesAreReadConsistentlyOrRefused) {
  std::mt19937 random(20261207);
  const std::string seeds[] = {std::string(EVERY_FORM), "newLabel(1, 2, 3, 4, \"ab\");\r\n\n",
                               "  newButton ( 5 , 6 , 7 , 8 , 9 , \"x\" ) ;"};
  int accepted = 0;
  for (int round = 0; round < 50000; ++round) {
    const std::string text = mutatedLayout(random, seeds, std::size(seeds), round % 10 == 0);
    std::vector<LayoutView> views;
    LayoutError error{};
    const int count = parse(text, &views, &error, 12);
    if (count < 0) {
      const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
      ASSERT_GE(error.line, 1) << text;
      ASSERT_LE(error.line, lines) << text;
      ASSERT_GT(std::strlen(error.reason), 0u) << text;
      continue;
    }
    ++accepted;
    ASSERT_LE(count, 12);
    for (const LayoutView& v : views) {
      ASSERT_GE(v.width, 1);
      ASSERT_GE(v.height, 1);
    }
    std::vector<LayoutView> again;
    ASSERT_EQ(parse(linesOf(views), &again, &error, 12), count) << text;
    ASSERT_TRUE(sameViews(views, again)) << text;
  }
  EXPECT_GT(accepted, 1000) << "the mutations should keep many files readable";
}

}  // namespace
