#include <string>

#include "widget_picture.h"

namespace {

class TouchDispatch : public WidgetTest {};

using Strings = std::vector<std::string>;

// A point inside the body of a button 80 by 32 at (100, 100), clear of its caption.
constexpr Point BUTTON_BODY{104, 116};
constexpr int RELEASED_BODY = 0xF0F0F0;
constexpr int PRESSED_BODY = 0x5050B4;

TEST_F(TouchDispatch, EveryMouseButtonAndWheelStepPressesAButton) {
  const Uint8 buttons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP,
                           SDL_BUTTON_WHEELDOWN};
  for (Uint8 button : buttons) {
    SCOPED_TRACE("mouse button " + std::to_string(button));
    freeViewList();
    clearRecordedCalls();
    newLabel(10, 10, 0, 0, "");
    View* key = newButton(80, 32, 100, 100, 7, "Key");
    Strings seen;
    onCallback = [&](View* view) {
      seen.push_back(std::to_string(view->value) + " " +
                     std::to_string(getPixel(BUTTON_BODY.first, BUTTON_BODY.second)));
    };
    pushPress(130, 110, button);
    pushRelease(130, 110, button);
    dispatch();
    EXPECT_EQ(recordedCalls, (Strings{"buttonDown 1", "buttonUp 1"}));
    // Each call-back comes after the value was stored and the button redrawn.
    EXPECT_EQ(seen,
              (Strings{"1 " + std::to_string(PRESSED_BODY), "0 " + std::to_string(RELEASED_BODY)}));
    EXPECT_EQ(key->value, 0);
    EXPECT_EQ(quit, 0);
  }
}

TEST_F(TouchDispatch, CoordinatesAreRelativeToTheView) {
  newView(100, 100, 0, 0);
  newLabel(30, 20, 10, 20, "");
  pushPress(11, 21);
  pushMotion(39, 39);
  pushRelease(25, 30, SDL_BUTTON_RIGHT);
  pushMotion(50, 50);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"viewDown 1 1 1", "viewMotion 1 29 19", "viewUp 1 15 10",
                                    "viewMotion 0 50 50"}));
}

TEST_F(TouchDispatch, MotionCountsOnlyWithTheLeftButtonAlone) {
  newLabel(100, 100, 50, 50, "");
  const Uint8 states[] = {0,
                          SDL_BUTTON(SDL_BUTTON_RIGHT),
                          SDL_BUTTON(SDL_BUTTON_MIDDLE),
                          SDL_BUTTON(SDL_BUTTON_LEFT) | SDL_BUTTON(SDL_BUTTON_RIGHT),
                          SDL_BUTTON(SDL_BUTTON_LEFT) | SDL_BUTTON(SDL_BUTTON_MIDDLE),
                          SDL_BUTTON(SDL_BUTTON_LEFT)};
  int y = 60;
  for (Uint8 state : states) pushMotion(60, y++, state);
  dispatch();
  EXPECT_EQ(recordedCalls, Strings{"viewMotion 0 10 15"});
}

TEST_F(TouchDispatch, ReleaseOnTheBackgroundQuits) {
  View* covered = newLabel(100, 100, 0, 0, "");
  View* disabled = newLabel(50, 50, 200, 200, "");
  disabled->status = STATUS_DISABLED;
  View* hidden = newLabel(50, 50, 300, 300, "");
  hidden->status = STATUS_HIDDEN;
  View* over = newLabel(40, 40, 20, 20, "");
  over->status = STATUS_HIDDEN;
  (void)covered;

  pushPress(500, 500);
  pushMotion(500, 500);
  dispatch();
  EXPECT_EQ(quit, 0) << "a press or drag on the background does nothing";
  EXPECT_TRUE(recordedCalls.empty());

  pushRelease(30, 30);
  dispatch();
  EXPECT_EQ(quit, 0) << "the shown view under a hidden one takes the release";
  EXPECT_EQ(recordedCalls, Strings{"viewUp 0 30 30"});

  struct Case {
    const char* where;
    int x, y;
  };
  const Case cases[] = {{"disabled view", 225, 225}, {"hidden view", 325, 325},
                        {"background", 500, 500},    {"top row", 50, 0},
                        {"left column", 0, 50},      {"view edge", 100, 50}};
  for (const Case& c : cases) {
    quit = 0;
    pushRelease(c.x, c.y);
    dispatch();
    EXPECT_EQ(quit, 1) << c.where;
  }
  EXPECT_EQ(recordedCalls.size(), 1u);
}

TEST_F(TouchDispatch, AButtonReleasedElsewhereStaysPressed) {
  View* first = newButton(80, 32, 100, 100, 1, "One");
  View* label = newLabel(80, 32, 300, 100, "");
  View* second = newButton(80, 32, 100, 200, 2, "Two");
  (void)label;
  pushPress(130, 110);
  pushRelease(330, 110);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"buttonDown 0", "viewUp 1 30 10"}));
  EXPECT_EQ(first->value, 1);
  EXPECT_EQ(getPixel(BUTTON_BODY.first, BUTTON_BODY.second), PRESSED_BODY);

  pushPress(130, 110);
  pushRelease(130, 210);
  dispatch();
  EXPECT_EQ(recordedCalls,
            (Strings{"buttonDown 0", "viewUp 1 30 10", "buttonDown 0", "buttonUp 2"}));
  EXPECT_EQ(first->value, 1);
  EXPECT_EQ(second->value, 0);
  EXPECT_EQ(getPixel(BUTTON_BODY.first, BUTTON_BODY.second + 100), RELEASED_BODY);

  pushRelease(600, 600);
  dispatch();
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(first->value, 1);
}

TEST_F(TouchDispatch, DraggingAcrossAButtonIsPlainMotion) {
  View* key = newButton(80, 32, 100, 100, 1, "Key");
  pushMotion(120, 110);
  pushMotion(170, 130);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"viewMotion 0 20 10", "viewMotion 0 70 30"}));
  EXPECT_EQ(key->value, 0);
}

TEST_F(TouchDispatch, ASliderPressedAndReleasedWithoutMotionReportsOnlyTheRelease) {
  View* vertical = newVSlider(32, 128, 640, 144);
  View* horizontal = newHSlider(128, 32, 464, 192);
  pushPress(650, 200);
  pushRelease(650, 200);
  pushPress(500, 200, SDL_BUTTON_RIGHT);
  pushRelease(500, 200, SDL_BUTTON_RIGHT);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"viewUp 0 10 56", "viewUp 1 36 8"}));
  EXPECT_EQ(vertical->value, 0x00640032);
  EXPECT_EQ(horizontal->value, 0x00640032);
  EXPECT_EQ(flipCount(), 0) << "no slider is redrawn";
}

TEST_F(TouchDispatch, DraggingASliderStoresTheValueRedrawsAndReports) {
  View* vertical = newVSlider(32, 128, 640, 144, 100, 0, 50);
  View* horizontal = newHSlider(128, 32, 464, 192, 100, -20, 0);
  // The knob of the vertical slider at pos 30 has its box corner at (644, 226).
  Strings seen;
  onCallback = [&](View* view) {
    seen.push_back(std::to_string(packedCurrent(view->value)) + " " +
                   std::to_string(getPixel(656, 238)));
  };
  pushMotion(650, 240);
  pushMotion(528, 200);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"sliderMove 0", "sliderMove 1"}));
  EXPECT_EQ(static_cast<uint32_t>(vertical->value), 0x00640019u);
  EXPECT_EQ(static_cast<uint32_t>(horizontal->value), 0x0064EC28u);
  EXPECT_EQ(seen[0], "25 " + std::to_string(0xF0F0F0));
  EXPECT_EQ(seen[1].substr(0, 3), "40 ");

  // The screen shows each slider as drawn at its new value.
  const auto shown = snapshot();
  const auto expected = referencePicture(0, {}, [&] {
    drawVSlider(vertical);
    drawHSlider(horizontal);
  });
  EXPECT_TRUE(shown == expected);
}

TEST_F(TouchDispatch, EveryDragInsideASliderRedrawsEvenWithoutChange) {
  newVSlider(32, 128, 640, 144, 100, 0, 50);
  pushMotion(650, 200);
  pushMotion(651, 200);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"sliderMove 0", "sliderMove 0"}));
  EXPECT_EQ(flipCount(), 10);
}

TEST_F(TouchDispatch, ADragMovesOnlyTheSliderUnderThePointer) {
  newLabel(100, 100, 500, 400, "");
  View* slider = newVSlider(32, 128, 640, 144, 100, 0, 50);
  // Below the view, over the track that is drawn beyond it.
  pushMotion(656, 275);
  dispatch();
  EXPECT_TRUE(recordedCalls.empty());
  EXPECT_EQ(packedCurrent(slider->value), 50);

  // A drag that starts elsewhere moves the slider once it enters.
  pushPress(550, 450);
  pushMotion(599, 450);
  pushMotion(650, 240);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"viewDown 0 50 50", "viewMotion 0 99 50", "sliderMove 1"}));
  EXPECT_EQ(packedCurrent(slider->value), 25);
}

// Keys do nothing; the window's close button ends the program, and an
// uncovered window is shown again, whatever the presentation mode.
TEST_F(TouchDispatch, KeysAreIgnoredACloseRequestQuitsAnExposeShows) {
  newLabel(100, 100, 0, 0, "");
  pushKey(SDLK_ESCAPE);
  pushKey(SDLK_q);
  dispatch();
  EXPECT_EQ(quit, 0);
  SDL_Event expose{};
  expose.type = SDL_VIDEOEXPOSE;
  for (const Presentation mode : {Presentation::PER_DRAWING, Presentation::PER_EVENT}) {
    setPresentation(mode);
    resetFlipCount();
    ASSERT_EQ(SDL_PushEvent(&expose), 0);
    dispatch();
    EXPECT_EQ(flipCount(), 1) << "an expose shows the screen again";
  }
  setPresentation(Presentation::PER_DRAWING);
  pushQuitRequest();
  dispatch();
  EXPECT_EQ(quit, 1);
  EXPECT_TRUE(recordedCalls.empty());
  SDL_Event left;
  EXPECT_EQ(SDL_PollEvent(&left), 0) << "the queue is drained";
}

TEST_F(TouchDispatch, ACallBackMayRunTheLoopToWaitForAnAnswer) {
  newButton(80, 32, 100, 100, 1, "Save");
  newButton(80, 32, 200, 100, 2, "OK");
  bool waiting = false;
  onCallback = [&](View* view) {
    if (view == getView(0) && view->value == 1 && !waiting) {
      waiting = true;
      dispatch();
    }
  };
  pushPress(130, 110);
  pushRelease(130, 110);
  pushPress(230, 110);
  pushRelease(230, 110);
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"buttonDown 0", "buttonUp 0", "buttonDown 1", "buttonUp 1"}));
}

// A call-back draws, blocks, then draws again. During the block the first
// drawing shows when every drawing flips, and in the per-event mode only once
// the call-back presents it; that mode presents once more before the next poll,
// and not at all for an event that drew nothing.
TEST_F(TouchDispatch, WhatACallBackDrawsBeforeItBlocksShowsWhenPresented) {
  struct Case {
    Presentation mode;
    bool presentsBeforeBlocking;
    int flipsDuringBlock;
    int flipsInAll;
  };
  constexpr Case cases[] = {
      {Presentation::PER_DRAWING, false, 1, 2},
      {Presentation::PER_EVENT, false, 0, 1},
      {Presentation::PER_EVENT, true, 1, 2},
  };
  View* first = newView(10, 10, 300, 300);
  View* second = newView(10, 10, 320, 300);
  newLabel(80, 32, 100, 100, "");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.presentsBeforeBlocking ? "presented before blocking" : "not presented");
    setPresentation(c.mode);
    int flipsDuringBlock = -1;
    onCallback = [&](View*) {
      resetFlipCount();
      fillView(first, 0xFF0000);
      if (c.presentsBeforeBlocking) presentScreen();
      flipsDuringBlock = flipCount();
      fillView(second, 0x00FF00);
    };
    pushPress(130, 116);
    dispatch();
    EXPECT_EQ(flipsDuringBlock, c.flipsDuringBlock);
    EXPECT_EQ(flipCount(), c.flipsInAll);
    onCallback = nullptr;
    resetFlipCount();
    pushPress(130, 116);
    dispatch();
    EXPECT_EQ(flipCount(), 0) << "an event that drew nothing";
    setPresentation(Presentation::PER_DRAWING);
  }
}

TEST_F(TouchDispatch, WaitingPresentsThenLeavesTheEventToTheLoop) {
  newLabel(80, 32, 100, 100, "");
  setPresentation(Presentation::PER_EVENT);
  fillView(getView(0), 0xFF0000);
  EXPECT_FALSE(waitForEvent(5)) << "nothing queued";
  EXPECT_EQ(flipCount(), 1) << "the start-up drawing is presented before the wait";
  pushPress(130, 116);
  EXPECT_TRUE(waitForEvent(WAIT_UNTIL_EVENT));
  EXPECT_TRUE(waitForEvent(0)) << "the event is still waiting";
  EXPECT_TRUE(recordedCalls.empty());
  dispatch();
  EXPECT_EQ(recordedCalls, (Strings{"viewDown 0 30 16"}));
  setPresentation(Presentation::PER_DRAWING);
}

}  // namespace
