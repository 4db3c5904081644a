#include "entry_session.h"
#include "presentation.h"
#include "toolkit.h"
#include "window_events.h"

// Only the left button alone drags: SDL_BUTTON_LMASK is state 1.
static constexpr Uint8 LEFT_BUTTON_ONLY = SDL_BUTTON(SDL_BUTTON_LEFT);

void eventLoop() {
  while (nextEvent()) {
    if (entryTakesEvent(event)) continue;
    switch (event.type) {
      case SDL_MOUSEBUTTONDOWN:
        touchDownEvent(event.button.x, event.button.y);
        break;
      case SDL_MOUSEBUTTONUP:
        touchUpEvent(event.button.x, event.button.y);
        break;
      case SDL_MOUSEMOTION:
        if (event.motion.state == LEFT_BUTTON_ONLY)
          touchMotionEvent(event.motion.x, event.motion.y);
        break;
      case SDL_KEYDOWN:
        keyDownEvent(event.key.keysym);
        break;
      default:
        windowEvent(event);
        break;
    }
  }
}

static bool isSlider(const View* view) {
  return view->type == VIEW_VSLIDER || view->type == VIEW_HSLIDER;
}

void touchDownEvent(int x, int y) {
  View* view = findView(x, y);
  if (view == nullptr || isSlider(view)) return;
  if (view->type == VIEW_BUTTON) {
    view->value = 1;
    drawButton(view);
    buttonDownEvent(view);
    return;
  }
  viewDownEvent(view, x - view->xpos, y - view->ypos);
}

void touchUpEvent(int x, int y) {
  View* view = findView(x, y);
  if (view == nullptr) {
    requestQuit();
    return;
  }
  if (view->type == VIEW_BUTTON) {
    view->value = 0;
    drawButton(view);
    buttonUpEvent(view);
    return;
  }
  viewUpEvent(view, x - view->xpos, y - view->ypos);
}

void touchMotionEvent(int x, int y) {
  View* view = findView(x, y);
  if (view == nullptr) return;
  if (isSlider(view)) {
    setSliderValue(view, sliderDragValue(view, x, y));
    if (view->type == VIEW_VSLIDER) {
      drawVSlider(view);
    } else {
      drawHSlider(view);
    }
    sliderMoveEvent(view);
    return;
  }
  viewMotionEvent(view, x - view->xpos, y - view->ypos);
}
