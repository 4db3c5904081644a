// The property panel: what it shows of a view, and its steppers.
#include <cstring>
#include <initializer_list>

#include "designer.h"

void showProperties(const View* v) {
  widthnum->value = v->width;
  heightnum->value = v->height;
  xposnum->value = v->xpos;
  yposnum->value = v->ypos;
  std::memcpy(textlabel->text, v->text, sizeof textlabel->text);
  penlabel->background = v->border;
  bglabel->background = v->background;
  fglabel->background = v->foreground;
}

void clearProperties() {
  for (View* number : {widthnum, heightnum, xposnum, yposnum}) number->value = 0;
  std::memset(textlabel->text, 0, sizeof textlabel->text);
  for (View* swatch : {penlabel, bglabel, fglabel}) swatch->background = labelbackground;
}

namespace {
struct Stepper {
  View* const* label;
  int32_t View::*field;
  int step;
};
}  // namespace

static constexpr Stepper STEPPERS[] = {
    {&incwidth, &View::width, 1},    {&decwidth, &View::width, -1}, {&incheight, &View::height, 1},
    {&decheight, &View::height, -1}, {&incxpos, &View::xpos, 1},    {&decxpos, &View::xpos, -1},
    {&incypos, &View::ypos, 1},      {&decypos, &View::ypos, -1},
};

static const Stepper* stepperOf(const View* v) {
  for (const Stepper& s : STEPPERS) {
    if (*s.label == v) return &s;
  }
  return nullptr;
}

bool isStepper(const View* v) { return stepperOf(v) != nullptr; }

// A loaded view may stand at the end of the int range; a step beyond it stops there.
static int32_t stepped(const Stepper& s, int32_t value) {
  const int32_t next = saturatedCoordinate(int64_t{value} + s.step);
  return s.field == &View::width || s.field == &View::height ? keptSize(next) : next;
}

// Only placed views are stepped: the window, the canvas and the palette
// entries keep the geometry the designer's own screen depends on.
void applyStepper(const View* stepper) {
  if (!isUserView(tempptr)) return;
  const Stepper& s = *stepperOf(stepper);
  View* widget = getView(tempptr->value);
  widget->*s.field = tempptr->*s.field = stepped(s, widget->*s.field);
}
