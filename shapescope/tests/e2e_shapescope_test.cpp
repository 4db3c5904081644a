// The real shapescope on Xvfb, driven by XTest pointer events.
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "harness.h"
#include "toolkit.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 600;

constexpr uint32_t SCREEN_GREY = 0xF0F0F0;
constexpr uint32_t FRAME_GREY = 0x505050;
constexpr uint32_t LABEL_INK = 0x505050;
constexpr uint32_t EDGE_BLACK = 0x141414;
constexpr uint32_t FILL_RED = 0xFF0000;
constexpr uint32_t GROUND_GREY = 0x808080;
constexpr uint32_t SLATE_BLUE = 0x5050B4;
constexpr uint32_t DISABLED_GREY = 0xB4B4B4;

using Point = std::pair<int, int>;

struct Region {
  int x0, y0, x1, y1;  // inclusive
};

// Labels and buttons of this screen draw their text at scale 2.
constexpr int SCALE = 2;

struct Text {
  Region area;  // holds the text and nothing else but its paper
  int x, y;     // text origin
};

constexpr Text SIDES_LABEL{{50, 50, 249, 84}, 52, 64};
constexpr Text ANGLES_LABEL{{50, 90, 259, 124}, 52, 104};
constexpr Text TYPE_LABEL{{50, 130, 209, 164}, 52, 144};
constexpr Text SIDES_VALUE{{250, 50, 284, 84}, 252, 64};
constexpr Text ANGLE_VALUE{{260, 90, 299, 124}, 262, 104};
constexpr Text TYPE_VALUE{{210, 130, 329, 161}, 212, 144};

// Button rectangles including their outline, and their caption origins.
constexpr Region INCREASE_AREA{230, 190, 350, 230};
constexpr Region DECREASE_AREA{50, 190, 170, 230};
constexpr Point INCREASE_CAPTION{244, 208};
constexpr Point DECREASE_CAPTION{64, 208};
// Rows and columns of a button body that only the body and its caption cover.
constexpr Region INCREASE_BODY{240, 200, 340, 220};
constexpr Region DECREASE_BODY{60, 200, 160, 220};
constexpr Point INCREASE_OUTLINE{290, 190};
constexpr Point DECREASE_OUTLINE{110, 190};
constexpr Point ON_INCREASE{290, 210};
constexpr Point ON_DECREASE{110, 210};

constexpr Region POLYGON_AREA{50, 260, 349, 559};

// The pixels lit by the bitmap font for a text at the given origin and scale.
std::set<Point> textPixels(const std::string& text, int x, int y, int size) {
  const int half = size / 2;
  std::set<Point> points;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto code = static_cast<unsigned char>(text[i]);
    const uint8_t* glyph = font5 + (code - 32) * FONT5_GLYPH_BYTES;
    const int lowered = std::strchr("gjpqy", code) != nullptr ? 2 * size : 0;
    const int left = x + 6 * size * static_cast<int>(i);
    for (int row = 0; row < 7; ++row) {
      for (int column = 0; column < 5; ++column) {
        if (glyph[row * 5 + column] == 0) continue;
        const int cx = left + size * column;
        const int cy = y + lowered + size * (row - 2);
        for (int dy = -half; dy <= half; ++dy) {
          for (int dx = -half; dx <= half; ++dx) points.insert({cx + dx, cy + dy});
        }
      }
    }
  }
  return points;
}

std::set<Point> pointsIn(const Screenshot& shot, uint32_t colour, Region r) {
  std::set<Point> points;
  for (int y = r.y0; y <= r.y1; ++y) {
    for (int x = r.x0; x <= r.x1; ++x) {
      if (shot.at(x, y) == colour) points.insert({x, y});
    }
  }
  return points;
}

std::set<Point> regionPoints(Region r) {
  std::set<Point> points;
  for (int y = r.y0; y <= r.y1; ++y) {
    for (int x = r.x0; x <= r.x1; ++x) points.insert({x, y});
  }
  return points;
}

std::set<Point> without(std::set<Point> points, const std::set<Point>& removed) {
  for (const Point& p : removed) points.erase(p);
  return points;
}

// Every pixel of the area is ink where the glyphs are and paper elsewhere.
std::string textMismatch(const Screenshot& shot, Region area, const std::set<Point>& glyphs,
                         uint32_t ink, uint32_t paper) {
  int count = 0;
  std::string first;
  for (int y = area.y0; y <= area.y1; ++y) {
    for (int x = area.x0; x <= area.x1; ++x) {
      const uint32_t want = glyphs.count({x, y}) ? ink : paper;
      if (shot.at(x, y) != want && count++ == 0) {
        first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                hexColour(shot.at(x, y)) + ", not " + hexColour(want);
      }
    }
  }
  return count == 0 ? "" : std::to_string(count) + " pixels differ, first " + first;
}

std::string labelMismatch(const Screenshot& shot, const Text& label, const std::string& text) {
  return textMismatch(shot, label.area, textPixels(text, label.x, label.y, SCALE), LABEL_INK,
                      SCREEN_GREY);
}

void expectFacts(const Screenshot& shot, const char* sides, const char* angle, const char* name,
                 const std::string& after) {
  EXPECT_EQ(labelMismatch(shot, SIDES_VALUE, sides), "") << after << ": sides " << sides;
  EXPECT_EQ(labelMismatch(shot, ANGLE_VALUE, angle), "") << after << ": angle " << angle;
  EXPECT_EQ(labelMismatch(shot, TYPE_VALUE, name), "") << after << ": name " << name;
}

enum class Look { shown, disabled, pressed };

void expectButton(const Screenshot& shot, Look look, Region area, Region body, Point outline,
                  Point caption, const char* text, const std::string& after) {
  const auto glyphs = textPixels(text, caption.first, caption.second, SCALE);
  switch (look) {
    case Look::shown:
      EXPECT_EQ(pointsIn(shot, SLATE_BLUE, area), glyphs) << after << ": " << text << " shown";
      EXPECT_EQ(shot.at(outline.first, outline.second), EDGE_BLACK) << after << ": " << text;
      break;
    case Look::disabled:
      EXPECT_TRUE(pointsIn(shot, SLATE_BLUE, area).empty()) << after << ": " << text;
      EXPECT_EQ(textMismatch(shot, body, glyphs, DISABLED_GREY, SCREEN_GREY), "")
          << after << ": " << text << " greyed";
      EXPECT_EQ(shot.at(outline.first, outline.second), DISABLED_GREY) << after << ": " << text;
      break;
    case Look::pressed:
      EXPECT_EQ(textMismatch(shot, body, glyphs, SCREEN_GREY, SLATE_BLUE), "")
          << after << ": " << text << " pressed";
      EXPECT_EQ(shot.at(outline.first, outline.second), EDGE_BLACK) << after << ": " << text;
      break;
  }
}

// The square's corners are (295, 314), (295, 505), (104, 505) and (104, 314).
void expectSquare(const Screenshot& shot, const std::string& after) {
  const auto inside = regionPoints({105, 315, 294, 504});
  const auto outline = without(regionPoints({104, 314, 295, 505}), inside);
  const auto ground = without(regionPoints(POLYGON_AREA), regionPoints({104, 314, 295, 505}));
  EXPECT_EQ(pointsIn(shot, EDGE_BLACK, POLYGON_AREA), outline) << after;
  EXPECT_EQ(pointsIn(shot, FILL_RED, POLYGON_AREA), inside) << after;
  EXPECT_EQ(pointsIn(shot, GROUND_GREY, POLYGON_AREA), ground) << after;
}

// The triangle runs through (200, 275), (316, 477) and (83, 477) and its last
// edge ends at (199, 275).
void expectTriangle(const Screenshot& shot) {
  const auto edges = pointsIn(shot, EDGE_BLACK, POLYGON_AREA);
  EXPECT_TRUE(pointsIn(shot, EDGE_BLACK, {50, 260, 349, 274}).empty());
  EXPECT_TRUE(edges.count({200, 275}) && edges.count({199, 275}));
  EXPECT_EQ(pointsIn(shot, EDGE_BLACK, {50, 477, 349, 559}), regionPoints({83, 477, 316, 477}));
  EXPECT_TRUE(edges.count({316, 477}) && edges.count({83, 477}));
  EXPECT_EQ(shot.at(200, 410), FILL_RED);
  EXPECT_EQ(shot.at(200, 476), FILL_RED);
  EXPECT_EQ(shot.at(100, 300), GROUND_GREY);
  EXPECT_EQ(shot.at(300, 300), GROUND_GREY);
}

struct Facts {
  const char* sides;
  const char* angle;
  const char* name;
};

constexpr Facts FACTS[] = {
    {"3", "60", "triangle"},    {"4", "90", "quadrangle"}, {"5", "108", "pentagon"},
    {"6", "120", "hexagon"},    {"7", "128", "septagon"},  {"8", "135", "octagon"},
    {"9", "140", "enneagon"},   {"10", "144", "decagon"},  {"11", "147", "hendecagon"},
    {"12", "150", "dodecagon"},
};

const Facts& factsFor(int sides) { return FACTS[sides - 3]; }

class Shapescope : public ::testing::TestWithParam<Runtime> {
 protected:
  void SetUp() override {
    app = std::make_unique<XSession>(programPath("shapescope"), WIDTH, HEIGHT, GetParam());
    ASSERT_TRUE(app->ok()) << app->error();
    app->settle();
  }

  void clickAt(Point p) { app->click(p.first, p.second); }

  std::unique_ptr<XSession> app;
};

TEST_P(Shapescope, StartScreenThenSteppingToBothLimits) {
  EXPECT_EQ(app->windowTitle(), "shapescope");
  Screenshot shot = app->capture();
  struct Sample {
    int x, y;
    uint32_t colour;
  };
  // The frame is 5 pixels thick, centred on the rectangle 20..380 by 20..580.
  const Sample frame[] = {
      {0, 0, SCREEN_GREY},     {399, 599, SCREEN_GREY}, {17, 300, SCREEN_GREY},
      {18, 300, FRAME_GREY},   {22, 300, FRAME_GREY},   {23, 300, SCREEN_GREY},
      {377, 300, SCREEN_GREY}, {378, 300, FRAME_GREY},  {382, 300, FRAME_GREY},
      {383, 300, SCREEN_GREY}, {200, 17, SCREEN_GREY},  {200, 18, FRAME_GREY},
      {200, 22, FRAME_GREY},   {200, 23, SCREEN_GREY},  {200, 577, SCREEN_GREY},
      {200, 578, FRAME_GREY},  {200, 582, FRAME_GREY},  {200, 583, SCREEN_GREY},
      {20, 20, FRAME_GREY},    {380, 580, FRAME_GREY},  {30, 250, SCREEN_GREY},
  };
  for (const Sample& s : frame) EXPECT_EQ(shot.at(s.x, s.y), s.colour) << s.x << ", " << s.y;
  EXPECT_EQ(labelMismatch(shot, SIDES_LABEL, "Number of sides:"), "");
  EXPECT_EQ(labelMismatch(shot, ANGLES_LABEL, "Angles (degrees):"), "");
  EXPECT_EQ(labelMismatch(shot, TYPE_LABEL, "Polygon type:"), "");
  expectFacts(shot, "4", "90", "quadrangle", "start-up");
  expectSquare(shot, "start-up");
  expectButton(shot, Look::shown, INCREASE_AREA, INCREASE_BODY, INCREASE_OUTLINE, INCREASE_CAPTION,
               "Increase", "start-up");
  expectButton(shot, Look::shown, DECREASE_AREA, DECREASE_BODY, DECREASE_OUTLINE, DECREASE_CAPTION,
               "Decrease", "start-up");

  for (int sides = 5; sides <= 12; ++sides) {
    clickAt(ON_INCREASE);
    const std::string after = "increase to " + std::to_string(sides);
    shot = app->capture();
    const Facts& f = factsFor(sides);
    expectFacts(shot, f.sides, f.angle, f.name, after);
    EXPECT_EQ(shot.at(200, 410), FILL_RED) << after;
  }
  expectButton(shot, Look::disabled, INCREASE_AREA, INCREASE_BODY, INCREASE_OUTLINE,
               INCREASE_CAPTION, "Increase", "at 12");
  expectButton(shot, Look::shown, DECREASE_AREA, DECREASE_BODY, DECREASE_OUTLINE, DECREASE_CAPTION,
               "Decrease", "at 12");
  // The dodecagon has a level top edge on row 279 at the latest.
  EXPECT_TRUE(pointsIn(shot, EDGE_BLACK, {50, 260, 349, 274}).empty());
  EXPECT_FALSE(pointsIn(shot, EDGE_BLACK, {50, 275, 349, 279}).empty());

  clickAt(ON_INCREASE);
  EXPECT_EQ(app->capture().pixels, shot.pixels) << "a press on the greyed Increase";

  for (int sides = 11; sides >= 3; --sides) {
    clickAt(ON_DECREASE);
    const std::string after = "decrease to " + std::to_string(sides);
    shot = app->capture();
    const Facts& f = factsFor(sides);
    expectFacts(shot, f.sides, f.angle, f.name, after);
    if (sides == 4) expectSquare(shot, after);
  }
  expectTriangle(shot);
  expectButton(shot, Look::disabled, DECREASE_AREA, DECREASE_BODY, DECREASE_OUTLINE,
               DECREASE_CAPTION, "Decrease", "at 3");
  expectButton(shot, Look::shown, INCREASE_AREA, INCREASE_BODY, INCREASE_OUTLINE, INCREASE_CAPTION,
               "Increase", "at 3");

  clickAt(ON_DECREASE);
  EXPECT_EQ(app->capture().pixels, shot.pixels) << "a press on the greyed Decrease";
  ASSERT_TRUE(app->running());

  clickAt({0, 300});
  EXPECT_EQ(app->waitExit(20000), 0) << app->stderrText();
}

TEST_P(Shapescope, PressReleasedAwayWaitsForTheNextButtonRelease) {
  const Screenshot start = app->capture();

  // Released on a label: the count rises, the screen stays, the button stays down.
  app->moveTo(ON_INCREASE.first, ON_INCREASE.second);
  app->press();
  app->settle();
  app->moveTo(200, 100);
  app->release();
  app->settle();
  Screenshot shot = app->capture();
  expectFacts(shot, "4", "90", "quadrangle", "release away");
  expectSquare(shot, "release away");
  expectButton(shot, Look::pressed, INCREASE_AREA, INCREASE_BODY, INCREASE_OUTLINE,
               INCREASE_CAPTION, "Increase", "release away");

  // Pressed on Increase again and released on Decrease: two rises, shown at once.
  app->drag(ON_INCREASE.first, ON_INCREASE.second, ON_DECREASE.first, ON_DECREASE.second);
  shot = app->capture();
  expectFacts(shot, "6", "120", "hexagon", "release on Decrease");
  expectButton(shot, Look::pressed, INCREASE_AREA, INCREASE_BODY, INCREASE_OUTLINE,
               INCREASE_CAPTION, "Increase", "release on Decrease");
  expectButton(shot, Look::shown, DECREASE_AREA, DECREASE_BODY, DECREASE_OUTLINE, DECREASE_CAPTION,
               "Decrease", "release on Decrease");
  EXPECT_EQ(shot.at(200, 410), FILL_RED);
  EXPECT_NE(shot.pixels, start.pixels);

  // Presses and releases away from the buttons change nothing, and a press in
  // the left column followed by a release inside the window does not end it.
  for (Point p : {Point{1, 1}, Point{399, 599}, Point{200, 400}, Point{30, 250}, Point{200, 100}})
    clickAt(p);
  app->drag(0, 300, 200, 300);
  EXPECT_TRUE(app->running());
  EXPECT_EQ(app->capture().pixels, shot.pixels) << "presses away from the buttons";

  clickAt({200, 0});
  EXPECT_EQ(app->waitExit(20000), 0) << app->stderrText();
}

INSTANTIATE_TEST_SUITE_P(Runtimes, Shapescope, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

}  // namespace
