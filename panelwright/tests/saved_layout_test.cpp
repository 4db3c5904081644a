// A saved layout is pasted into a program's start-up unchanged: this file
// compiles the layout that the save tests expect and checks what it builds.
#include <cstring>

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

}  // namespace
