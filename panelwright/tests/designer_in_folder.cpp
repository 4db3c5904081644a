#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "designer_test.h"

namespace fs = std::filesystem;

// The alert text is a label 20 high: its characters are 6 pixels apart from
// x 481 (beside the default canvas), in the label text colour.
static bool textColumnsUsed(int first, int last) {
  for (int x = first; x <= last; ++x) {
    for (int y = 111; y < 130; ++y) {
      if (pixel(x, y) == DARK_GREY) return true;
    }
  }
  return false;
}

void DesignerTest::expectAlert(const std::string& text, bool withCancel) {
  EXPECT_EQ(alertlabel->status, STATUS_SHOWN) << text;
  EXPECT_EQ(alerttext->status, STATUS_SHOWN) << text;
  EXPECT_EQ(alertyes->status, STATUS_SHOWN) << text;
  EXPECT_EQ(alertcancel->status, withCancel ? STATUS_SHOWN : STATUS_HIDDEN) << text;
  EXPECT_EQ(alerttext->text, text);
  EXPECT_EQ(pixel(besideCanvas(455), 105), YELLOW) << text;
  EXPECT_EQ(pixel(besideCanvas(475), 165), withCancel ? PALE_GREY : YELLOW) << text << ": Cancel";
  EXPECT_EQ(pixel(besideCanvas(565), 165), PALE_GREY) << text << ": OK";
  const int end = besideCanvas(481) + 6 * static_cast<int>(text.size());
  EXPECT_TRUE(textColumnsUsed(end - 6, end - 2)) << text << ": the last character is drawn";
  EXPECT_FALSE(textColumnsUsed(end, besideCanvas(640))) << text << ": nothing after it";
}

void DesignerTest::expectAlertHidden() {
  for (const View* v : {alertlabel, alerttext, alertcancel, alertyes}) {
    EXPECT_EQ(v->status, STATUS_HIDDEN);
  }
  EXPECT_STREQ(alerttext->text, "Replace previous file?");
  EXPECT_EQ(okflag, 0);
  EXPECT_EQ(cancelflag, 0);
  EXPECT_EQ(pixel(besideCanvas(455), 105), PALE_GREY) << "the alert box is gone";
}

void DesignerInFolder::SetUp() {
  DesignerTest::SetUp();
  char folder[] = "/tmp/panelwright-folder-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  dir = folder;
  previous = fs::current_path();
  fs::current_path(dir);
  // A copy of last resort never lands in the real home folder; a test that
  // wants one there makes this folder.
  const char* home = std::getenv("HOME");
  previousHome = home != nullptr ? home : "";
  setenv("HOME", (dir / "home").c_str(), 1);
}

void DesignerInFolder::TearDown() {
  fs::current_path(previous);
  setenv("HOME", previousHome.c_str(), 1);
  std::error_code ignored;
  fs::permissions(dir, fs::perms::owner_all, ignored);
  fs::remove_all(dir, ignored);
  DesignerTest::TearDown();
}

std::string DesignerInFolder::layoutText() {
  std::ifstream in("gui.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void DesignerInFolder::writeLayoutText(std::string_view text) {
  std::ofstream("gui.txt", std::ios::binary) << text;
}

void DesignerInFolder::expectOnlyTheLayoutFile(std::initializer_list<const char*> others) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "gui.txt" || std::ranges::find(others, name) != others.end())
        << "left behind: " << entry.path();
  }
}
