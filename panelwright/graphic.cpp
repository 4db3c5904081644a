#include <algorithm>
#include <cstdint>
#include <cstring>

#include "greys.h"
#include "toolkit.h"

static constexpr char CAPTION[] = "GraphicView";
static constexpr int CAPTION_LENGTH = sizeof CAPTION - 1;
static constexpr int CAPTION_SCALE = 2;
static constexpr int CHARACTER_WIDTH = 6 * CAPTION_SCALE;

// Graphic views have no content while a layout is designed: a thin outline
// and their kind's name stand in for it.
void drawGraphicView(View* v) {
  drawRectangle(v->width, v->height, v->xpos, v->ypos, 1, LIGHT_GREY);
  const int kept = std::clamp(v->width / CHARACTER_WIDTH, 0, CAPTION_LENGTH);
  char caption[CAPTION_LENGTH + 1] = {};
  std::memcpy(caption, CAPTION, static_cast<size_t>(kept));
  // Widened: a view near the ends of the int range must not overflow; its
  // caption then lies far off the screen, where the nearest int keeps it.
  const int64_t x = int64_t{v->xpos} + v->width / 2 - kept * CHARACTER_WIDTH / 2;
  const int64_t y = int64_t{v->ypos} + v->height / 2 - 6;
  drawText(caption, saturatedCoordinate(x), saturatedCoordinate(y), CAPTION_SCALE, GREY);
}
