// The fixed panel, the start-up state and the command buttons.
#include <string>

#include "designer_test.h"

namespace {

constexpr int32_t NONE = -1;
constexpr int32_t PACKED = 0x00640032;  // maximum 100, minimum 0, value 50

struct Fixed {
  int32_t type;
  int32_t width, height, xpos, ypos;
  const char* text;
  int32_t border, background, foreground, value;
  int8_t status;
  View** global;
};

constexpr int32_t L = VIEW_LABEL, B = VIEW_BUTTON, P = VIEW_PLAIN, N = VIEW_NUMVIEW;
constexpr int8_t SHOWN = STATUS_SHOWN;

// The 53 fixed views in list order.
const Fixed FIXED_VIEWS[] = {
    {L, 710, 640, 0, 0, "", NONE, 0xB4B4B4, 0x505050, 0, SHOWN, &window},
    {B, 266, 385, 430, 20, "", 0x141414, 0xF0F0F0, 0x5050B4, 0, STATUS_DISABLED, nullptr},
    {B, 400, 600, 20, 20, "", 0x141414, 0xFFFFFF, 0xFFFFFF, 0, SHOWN, &drawfield},
    {P, 400, 600, 20, 20, "", 0, 0, 0, 0, SHOWN, &drawarea},
    {L, 80, 32, 464, 48, " Label", 0xB4B4B4, NONE, 0x505050, 0, SHOWN, nullptr},
    {P, 80, 32, 464, 48, "", 0, 0, 0, 4, SHOWN, &labelview},
    {B, 80, 32, 576, 48, "Button", 0x141414, 0xFFFFFF, 0x000000, 0, SHOWN, nullptr},
    {P, 80, 32, 576, 48, "", 0, 0, 0, 6, SHOWN, &buttonview},
    {VIEW_VMETER, 32, 64, 464, 96, "", 0, 0xFFFFFF, 0x5050B4, PACKED, SHOWN, nullptr},
    {P, 32, 64, 464, 96, "", 0, 0, 0, 8, SHOWN, &vmeterview},
    {VIEW_HMETER, 64, 32, 544, 128, "", 0, 0xFFFFFF, 0x5050B4, PACKED, SHOWN, nullptr},
    {P, 64, 32, 544, 128, "", 0, 0, 0, 10, SHOWN, &hmeterview},
    {VIEW_HSLIDER, 128, 32, 464, 192, "", 0x141414, 0x5050B4, 0xF0F0F0, PACKED, SHOWN, nullptr},
    {P, 128, 32, 464, 192, "", 0, 0, 0, 12, SHOWN, &hsliderview},
    {VIEW_VSLIDER, 32, 128, 640, 144, "", 0x141414, 0x5050B4, 0xF0F0F0, PACKED, SHOWN, nullptr},
    {P, 32, 128, 640, 144, "", 0, 0, 0, 14, SHOWN, &vsliderview},
    {N, 160, 16, 448, 240, "NumView", 0x000000, 0xFFFFFF, 0x141414, 0, SHOWN, nullptr},
    {P, 160, 16, 448, 240, "", 0, 0, 0, 16, SHOWN, &numviewview},
    {VIEW_GRAPHIC, 144, 96, 440, 295, "", 0, 0, 0, 0, SHOWN, nullptr},
    {P, 144, 96, 440, 295, "", 0, 0, 0, 18, SHOWN, &graphicviewview},
    {L, 96, 96, 590, 295, "", 0xB4B4B4, NONE, 0x505050, 0, SHOWN, nullptr},
    {L, 80, 35, 615, 325, "View", NONE, NONE, 0x808080, 0, SHOWN, nullptr},
    {P, 96, 96, 590, 295, "", 0, 0, 0, 20, SHOWN, &viewview},
    {B, 60, 30, 440, 410, "Copy", 0x141414, 0xF0F0F0, 0x5050B4, 0, SHOWN, &copybutton},
    {B, 60, 30, 510, 410, "Delete", 0x141414, 0xF0F0F0, 0x5050B4, 0, SHOWN, &deletebutton},
    {B, 60, 30, 580, 410, "Grid", 0x141414, 0xF0F0F0, 0x5050B4, 0, SHOWN, &gridbutton},
    {B, 60, 30, 440, 576, "Load", 0x141414, 0xF0F0F0, 0x5050B4, 0, SHOWN, &loadbutton},
    {B, 60, 30, 510, 576, "Save", 0x141414, 0xF0F0F0, 0x5050B4, 0, SHOWN, &savebutton},
    {B, 60, 30, 580, 576, "Quit", 0x141414, 0xF0F0F0, 0x5050B4, 0, SHOWN, &quitbutton},
    {L, 150, 20, 440, 450, "width      height", NONE, NONE, BLUE, 0, SHOWN, nullptr},
    {L, 150, 20, 570, 450, "xpos       ypos", NONE, NONE, BLUE, 0, SHOWN, nullptr},
    {N, 40, 17, 435, 470, "", NONE, 0xFFFFFF, 0x000000, 0, SHOWN, &widthnum},
    {N, 40, 17, 500, 470, "", NONE, 0xFFFFFF, 0x000000, 0, SHOWN, &heightnum},
    {N, 40, 17, 565, 470, "", NONE, 0xFFFFFF, 0x000000, 0, SHOWN, &xposnum},
    {N, 40, 17, 630, 470, "", NONE, 0xFFFFFF, 0x000000, 0, SHOWN, &yposnum},
    {L, 20, 16, 435, 488, " +", 0x000000, NONE, 0x505050, 0, SHOWN, &incwidth},
    {L, 20, 16, 455, 488, " -", 0x000000, NONE, 0x505050, 0, SHOWN, &decwidth},
    {L, 20, 16, 500, 488, " +", 0x000000, NONE, 0x505050, 0, SHOWN, &incheight},
    {L, 20, 16, 520, 488, " -", 0x000000, NONE, 0x505050, 0, SHOWN, &decheight},
    {L, 20, 16, 565, 488, " +", 0x000000, NONE, 0x505050, 0, SHOWN, &incxpos},
    {L, 20, 16, 585, 488, " -", 0x000000, NONE, 0x505050, 0, SHOWN, &decxpos},
    {L, 20, 16, 630, 488, " +", 0x000000, NONE, 0x505050, 0, SHOWN, &incypos},
    {L, 20, 16, 650, 488, " -", 0x000000, NONE, 0x505050, 0, SHOWN, &decypos},
    {L, 150, 20, 440, 510, "text     pencolor", NONE, NONE, BLUE, 0, SHOWN, nullptr},
    {L, 150, 20, 560, 510, "background foreground", NONE, NONE, BLUE, 0, SHOWN, nullptr},
    {L, 40, 16, 435, 530, "", 0x000000, NONE, 0x505050, 0, SHOWN, &textlabel},
    {L, 40, 16, 500, 530, "", 0x000000, NONE, 0x505050, 0, SHOWN, &penlabel},
    {L, 40, 16, 565, 530, "", 0x000000, NONE, 0x505050, 0, SHOWN, &bglabel},
    {L, 40, 16, 630, 530, "", 0x000000, NONE, 0x505050, 0, SHOWN, &fglabel},
    {L, 200, 100, 450, 100, "", 0x000000, 0xFFFF00, 0x505050, 0, STATUS_HIDDEN, &alertlabel},
    {L, 150, 20, 480, 110, "Replace previous file?", NONE, NONE, 0x505050, 0, STATUS_HIDDEN,
     &alerttext},
    {B, 70, 30, 470, 150, "Cancel", 0x141414, 0xF0F0F0, 0x5050B4, 0, STATUS_HIDDEN, &alertcancel},
    {B, 70, 30, 560, 150, "OK", 0x141414, 0xF0F0F0, 0x5050B4, 0, STATUS_HIDDEN, &alertyes},
};

using StartUp = DesignerTest;

TEST_F(StartUp, BuildsTheFiftyThreeFixedViewsInOrder) {
  ASSERT_EQ(noOfViews(), 53);
  for (int i = 0; i < 53; ++i) {
    const Fixed& want = FIXED_VIEWS[i];
    const View* v = getView(i);
    SCOPED_TRACE("view " + std::to_string(i));
    EXPECT_EQ(v->type, want.type);
    EXPECT_EQ(v->width, want.width);
    EXPECT_EQ(v->height, want.height);
    EXPECT_EQ(v->xpos, want.xpos);
    EXPECT_EQ(v->ypos, want.ypos);
    EXPECT_EQ(v->id, 0);
    EXPECT_STREQ(v->text, want.text);
    EXPECT_EQ(v->border, want.border);
    EXPECT_EQ(v->background, want.background);
    EXPECT_EQ(v->foreground, want.foreground);
    EXPECT_EQ(v->value, want.value);
    EXPECT_EQ(v->status, want.status);
    if (want.global != nullptr) {
      EXPECT_EQ(*want.global, v);
    }
  }
}

TEST_F(StartUp, StartsWithNothingSelectedAndTheGridOff) {
  EXPECT_EQ(noOfFixViews, 52);
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(tempptr, nullptr);
  EXPECT_EQ(widthflag, 0);
  EXPECT_EQ(heightflag, 0);
  EXPECT_EQ(okflag, 0);
  EXPECT_EQ(cancelflag, 0);
}

TEST_F(StartUp, DrawsTheCanvasPaletteAndButtons) {
  for (const Sample& s : START_SCREEN) EXPECT_EQ(pixel(s.x, s.y), s.colour) << s.what;
}

// Everything main does before its loop, on a screen and list that start empty.
using StartPanelwright = ScreenTest;

TEST_F(StartPanelwright, BuildsDrawsAndRecordsTheFixedViews) {
  noOfFixViews = 0;
  startPanelwright();
  ASSERT_EQ(noOfViews(), 53);
  EXPECT_EQ(noOfFixViews, 52);
  for (int i = 0; i < 53; ++i) EXPECT_EQ(getView(i)->type, FIXED_VIEWS[i].type) << i;
  for (const Sample& s : START_SCREEN) EXPECT_EQ(pixel(s.x, s.y), s.colour) << s.what;
}

using CommandButtons = DesignerTest;

TEST_F(CommandButtons, QuitEndsTheLoop) {
  tapButton(quitbutton);
  EXPECT_EQ(quit, 1);
}

TEST_F(CommandButtons, GridTogglesSnappingAndShowsItPressed) {
  tapButton(gridbutton);
  EXPECT_EQ(grid, 16);
  EXPECT_EQ(gridbutton->value, 1);
  EXPECT_EQ(pixel(585, 425), SLATE_BLUE) << "pressed body";
  tapButton(gridbutton);
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(gridbutton->value, 0);
  EXPECT_EQ(pixel(585, 425), PALE_GREY) << "released body";
}

TEST_F(CommandButtons, GridStaysPressedAcrossFullRedraws) {
  tapButton(gridbutton);
  tap(200, 300);  // select the canvas: a release redraws everything
  EXPECT_EQ(pixel(585, 425), SLATE_BLUE);
}

// Copy and Delete change nothing unless a placed view is selected.
TEST_F(CommandButtons, CopyAndDeleteWithoutAPlacedViewChangeNothing) {
  struct Selection {
    View* selected;
    const char* what;
  };
  const Selection selections[] = {{nullptr, "nothing"},
                                  {window, "the window"},
                                  {drawarea, "the canvas"},
                                  {labelview, "a palette entry"}};
  for (const Selection& s : selections) {
    tempptr = s.selected;
    const auto before = snapshot();
    for (View* button : {copybutton, deletebutton}) tapButton(button);
    EXPECT_EQ(noOfViews(), 53) << s.what;
    EXPECT_EQ(tempptr, s.selected) << s.what;
    for (int i = 0; i < 53; ++i) EXPECT_EQ(getView(i)->status, FIXED_VIEWS[i].status) << s.what;
    EXPECT_TRUE(snapshot() == before) << s.what;
    EXPECT_EQ(quit, 0);
    EXPECT_EQ(grid, 1);
  }
}

TEST_F(CommandButtons, AlertButtonsSetTheAnswer) {
  buttonUpEvent(alertcancel);
  EXPECT_EQ(cancelflag, 1);
  EXPECT_EQ(okflag, 0);
  buttonUpEvent(alertyes);
  EXPECT_EQ(okflag, 1);
}

TEST_F(CommandButtons, OtherButtonsDoNothing) {
  buttonUpEvent(drawfield);
  buttonUpEvent(getView(1));
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(okflag + cancelflag, 0);
  EXPECT_EQ(noOfViews(), 53);
}

// A changed layout asks before it is lost, whether Quit, a release on the
// screen's edge or the window's close button ends the designer.
TEST_F(CommandButtons, QuitEdgeReleaseAndCloseAskWhenTheLayoutIsUnsaved) {
  place(labelview, 96, 64);
  for (const int x : {0, 610, -1}) {  // the screen's left column, Quit, the close button
    for (View* answer : {alertcancel, alertyes}) {
      quit = 0;
      whenWaiting([answer] {
        expectAlert("Quit without saving?", true);
        queueTap(answer);
      });
      if (x < 0) {
        pushQuitRequest();
      } else {
        pushRelease(x, 591);
      }
      dispatch();
      EXPECT_EQ(quit, answer == alertyes ? 1 : 0) << x;
    }
  }
}

// Only the screen's top row and left column lie outside the window label.
TEST_F(CommandButtons, ReleaseOnTheScreenEdgeEndsTheProgram) {
  struct Edge {
    int x, y;
    int32_t quits;
    const char* what;
  };
  const Edge edges[] = {{0, 300, 1, "left column"},
                        {300, 0, 1, "top row"},
                        {0, 0, 1, "top-left corner"},
                        {1, 1, 0, "first point inside the window"},
                        {709, 639, 0, "bottom-right corner"}};
  for (const Edge& e : edges) {
    quit = 0;
    pushRelease(e.x, e.y);
    dispatch();
    EXPECT_EQ(quit, e.quits) << e.what;
  }
}

}  // namespace
