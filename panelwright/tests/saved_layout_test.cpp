// A saved layout is pasted into a program's start-up unchanged, or loaded at
// run time: this file compiles the layout that the save tests expect, checks
// what it builds, and checks that loading the file builds the same.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "rig.h"

namespace {

void buildSavedLayout() {
#include "every_kind_layout.inc"
}

class SavedLayout : public ScreenTest {};

TEST_F(SavedLayout, CompilesAndBuildsTheViewsTheDesignerShowed) {
  buildSavedLayout();
  struct Expected {
    int32_t type;
    int width, height, xpos, ypos;
    const char* text;
    int32_t value;
  };
  // Number views, meters and sliders take the palette's defaults for the
  // arguments the file leaves out: empty text; maximum 100, minimum 0, current 50.
  constexpr int32_t range = 0x00640032;
  const Expected expected[] = {
      {VIEW_LABEL, 80, 32, 300, 550, " Label", 0},  {VIEW_BUTTON, 80, 32, 130, 30, "Button", 0},
      {VIEW_VMETER, 32, 64, 30, 100, "", range},    {VIEW_HSLIDER, 128, 32, 30, 200, "", range},
      {VIEW_VSLIDER, 32, 128, 200, 200, "", range}, {VIEW_NUMVIEW, 160, 16, 30, 400, "", 0},
      {VIEW_GRAPHIC, 144, 96, 200, 400, "", 0},     {VIEW_HMETER, 64, 32, 110, 130, "", range},
  };
  ASSERT_EQ(noOfViews(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < noOfViews(); ++i) {
    const View* v = getView(i);
    const Expected& e = expected[i];
    EXPECT_EQ(v->type, e.type) << i;
    EXPECT_EQ(v->width, e.width) << i;
    EXPECT_EQ(v->height, e.height) << i;
    EXPECT_EQ(v->xpos, e.xpos) << i;
    EXPECT_EQ(v->ypos, e.ypos) << i;
    EXPECT_STREQ(v->text, e.text) << i;
    EXPECT_EQ(v->value, e.value) << i;
    EXPECT_EQ(v->status, STATUS_SHOWN) << i;
  }
}

// Every field of a view, for comparing records with readable failures.
std::string fieldsOf(const View& v) {
  return std::to_string(v.type) + " " + std::to_string(v.width) + "x" + std::to_string(v.height) +
         " at " + std::to_string(v.xpos) + "," + std::to_string(v.ypos) + " id " +
         std::to_string(v.id) + " \"" + v.text + "\" colours " + std::to_string(v.border) + " " +
         std::to_string(v.background) + " " + std::to_string(v.foreground) + " value " +
         std::to_string(v.value) + " status " + std::to_string(v.status);
}

struct Built {
  std::vector<View> views;
  std::vector<uint32_t> picture;  // drawAllViews on the canvas's white
};

// Takes the views in the list and their picture, then empties the list.
Built takeBuiltViews() {
  Built built;
  for (int i = 0; i < noOfViews(); ++i) built.views.push_back(*getView(i));
  clearScreen(0xFFFFFF);
  drawAllViews();
  built.picture = snapshot();
  freeViewList();
  return built;
}

// A program passes (-20, -20) to undo the canvas's place on the designer's screen.
struct Offset {
  int dx, dy;
};
constexpr Offset OFFSETS[] = {{0, 0}, {-20, -20}, {37, -11}};

TEST_F(SavedLayout, LoadingTheFileBuildsWhatTheCompiledLinesBuild) {
  for (const Offset o : OFFSETS) {
    const std::string what = "offset " + std::to_string(o.dx) + ", " + std::to_string(o.dy);
    buildSavedLayout();
    for (int i = 0; i < noOfViews(); ++i) {
      getView(i)->xpos += o.dx;
      getView(i)->ypos += o.dy;
    }
    const Built compiled = takeBuiltViews();
    LayoutError error{};
    ASSERT_EQ(loadLayout(EVERY_KIND_LAYOUT, o.dx, o.dy, &error),
              static_cast<int>(compiled.views.size()))
        << what << ": " << error.reason;
    const Built loaded = takeBuiltViews();
    for (size_t i = 0; i < compiled.views.size(); ++i) {
      EXPECT_EQ(fieldsOf(loaded.views[i]), fieldsOf(compiled.views[i])) << what << ", view " << i;
    }
    size_t differing = 0;
    for (size_t i = 0; i < compiled.picture.size(); ++i) {
      differing += loaded.picture[i] != compiled.picture[i];
    }
    EXPECT_EQ(differing, 0u) << what;
    EXPECT_GT(std::count(compiled.picture.begin(), compiled.picture.end(), 0x5050B4u), 1000)
        << what << ": the picture shows the meters' and sliders' slate blue";
  }
}

}  // namespace
