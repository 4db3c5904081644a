// The designer's screen on SDL's dummy driver, rebuilt for every test, with
// helpers that drive it through SDL's real event queue.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "designer.h"
#include "rig.h"
#include "start_screen.h"

inline uint32_t pixel(int x, int y) { return static_cast<uint32_t>(getPixel(x, y)); }

// The alert waits for its answer in an event loop of its own. A step planned
// here runs when that loop finds SDL's queue empty and no answer given (one
// step per such poll, in order): it looks at the screen as the user would and
// queues the answer.
void whenWaiting(std::function<void()> step);
// Forgets the steps that have not run; returns how many there were.
int dropWaitingSteps();

class DesignerTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    grid = 1;
    tempptr = nullptr;
    widthflag = heightflag = okflag = cancelflag = 0;
    ibuffsizex = ibuffsizey = jbuffsizex = jbuffsizey = jbuffposx = jbuffposy = 0;
    createFixedViews();
    drawAllViews();
    noOfFixViews = noOfViews() - 1;
    startKeysAndHistory();
    resetFlipCount();
  }

  void TearDown() override {
    EXPECT_EQ(dropWaitingSteps(), 0) << "planned answers that nothing waited for";
    ScreenTest::TearDown();
  }

  static void tap(int x, int y) {
    pushPress(x, y);
    pushRelease(x, y);
    dispatch();
  }

  // Press, one motion on the way, a motion at the end, release there.
  static void drag(int x0, int y0, int x1, int y1) {
    pushPress(x0, y0);
    pushMotion((x0 + x1) / 2, (y0 + y1) / 2);
    pushMotion(x1, y1);
    pushRelease(x1, y1);
    dispatch();
  }

  // The widget placed last and its overlay.
  static View* lastWidget() { return getView(noOfViews() - 2); }
  static View* lastOverlay() { return getView(noOfViews() - 1); }

  // Presses and releases a fixed button at its centre.
  static void tapButton(const View* button) {
    tap(button->xpos + button->width / 2, button->ypos + button->height / 2);
  }

  // Queues a press and release at the view's centre without dispatching them.
  static void queueTap(const View* v) {
    pushPress(v->xpos + v->width / 2, v->ypos + v->height / 2);
    pushRelease(v->xpos + v->width / 2, v->ypos + v->height / 2);
  }

  // Drags a palette entry by the point one pixel inside its corner, so that
  // the new view's corner lands at (x, y).
  static void place(const View* entry, int x, int y) {
    drag(entry->xpos + 1, entry->ypos + 1, x + 1, y + 1);
  }

  // The alert is up with this text, shown whole, and Cancel only for a question.
  static void expectAlert(const std::string& text, bool withCancel);
  // A refused drop or copy says so in the alert; OK dismisses it.
  static void answerNoRoom() {
    whenWaiting([] {
      expectAlert("No room for another view", false);
      queueTap(alertyes);
    });
  }
  static void expectAlertHidden();
};

// The designer working in a folder of its own, where it saves and loads "gui.txt".
class DesignerInFolder : public DesignerTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  static std::string layoutText();
  static void writeLayoutText(std::string_view text);
  // Every entry of the folder is gui.txt or one of the given names.
  void expectOnlyTheLayoutFile(std::initializer_list<const char*> others = {});

  std::filesystem::path dir;
  std::filesystem::path previous;
  std::string previousHome;
};
