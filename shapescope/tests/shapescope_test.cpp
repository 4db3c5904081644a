#include "shapescope.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "rig.h"

// The program's calls of drawLine are recorded on their way to the toolkit
// (linked with --wrap for the mangled name).
void recordLine(int x1, int y1, int x2, int y2, int thickness, int colour);

extern "C" {
void __real__Z8drawLineiiiiii(int x1, int y1, int x2, int y2, int thickness, int colour);
void __wrap__Z8drawLineiiiiii(int x1, int y1, int x2, int y2, int thickness, int colour) {
  recordLine(x1, y1, x2, y2, thickness, colour);
  __real__Z8drawLineiiiiii(x1, y1, x2, y2, thickness, colour);
}
}

namespace {

constexpr uint32_t SCREEN_GREY = 0xF0F0F0;
constexpr uint32_t FRAME_GREY = 0x505050;
constexpr uint32_t EDGE_BLACK = 0x141414;
constexpr uint32_t FILL_RED = 0xFF0000;
constexpr uint32_t GROUND_GREY = 0x808080;
constexpr uint32_t CAPTION_BLUE = 0x5050B4;
constexpr uint32_t DISABLED_GREY = 0xB4B4B4;

// The polygon view covers columns 50 to 349 and rows 260 to 559.
constexpr int POLY_LEFT = 50, POLY_TOP = 260, POLY_RIGHT = 349, POLY_BOTTOM = 559;
// Points strictly inside the two buttons.
constexpr Point ON_INCREASE{290, 210};
constexpr Point ON_DECREASE{110, 210};

struct Line {
  int x1, y1, x2, y2, thickness, colour;
  bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& l) {
  return out << "(" << l.x1 << ", " << l.y1 << ") to (" << l.x2 << ", " << l.y2 << ") thickness "
             << l.thickness << " colour " << l.colour;
}

std::vector<Line> recordedLines;

// Lines made from vertices chained in order.
std::vector<Line> edgesThrough(const std::vector<Point>& vertices) {
  std::vector<Line> lines;
  for (size_t i = 1; i < vertices.size(); ++i) {
    lines.push_back({vertices[i - 1].first, vertices[i - 1].second, vertices[i].first,
                     vertices[i].second, 1, static_cast<int>(EDGE_BLACK)});
  }
  return lines;
}

std::set<Point> pointsIn(uint32_t colour, int x0, int y0, int x1, int y1) {
  std::set<Point> points;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (static_cast<uint32_t>(getPixel(x, y)) == colour) points.insert({x, y});
    }
  }
  return points;
}

std::set<Point> polygonPoints(uint32_t colour) {
  return pointsIn(colour, POLY_LEFT, POLY_TOP, POLY_RIGHT, POLY_BOTTOM);
}

std::set<Point> buttonPoints(const View* button, uint32_t colour) {
  return pointsIn(colour, button->xpos, button->ypos, button->xpos + button->width,
                  button->ypos + button->height);
}

std::set<Point> without(std::set<Point> points, const std::set<Point>& removed) {
  for (const Point& p : removed) points.erase(p);
  return points;
}

void clickAt(Point p) {
  pushPress(p.first, p.second);
  pushRelease(p.first, p.second);
  dispatch();
}

class Shapescope : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    nsides = 4;
    createViews();
  }
};

TEST_F(Shapescope, ViewsAreCreatedInTheirFixedOrder) {
  struct Expected {
    int32_t type, width, height, xpos, ypos, id;
    const char* text;
  };
  const Expected expected[] = {
      {VIEW_PLAIN, 400, 600, 0, 0, 0, ""},
      {VIEW_BUTTON, 120, 40, 230, 190, 1, "Increase"},
      {VIEW_BUTTON, 120, 40, 50, 190, 2, "Decrease"},
      {VIEW_LABEL, 240, 35, 50, 50, 0, "Number of sides:"},
      {VIEW_LABEL, 240, 35, 50, 90, 0, "Angles (degrees):"},
      {VIEW_LABEL, 240, 35, 50, 130, 0, "Polygon type:"},
      {VIEW_LABEL, 35, 35, 250, 50, 0, ""},
      {VIEW_LABEL, 40, 35, 260, 90, 0, ""},
      {VIEW_LABEL, 120, 32, 210, 130, 0, ""},
      {VIEW_GRAPHIC, 300, 300, 50, 260, 0, ""},
  };
  ASSERT_EQ(noOfViews(), 10);
  for (int i = 0; i < 10; ++i) {
    const View* v = getView(i);
    const Expected& e = expected[i];
    EXPECT_EQ(v->type, e.type) << "position " << i;
    EXPECT_EQ(v->width, e.width) << "position " << i;
    EXPECT_EQ(v->height, e.height) << "position " << i;
    EXPECT_EQ(v->xpos, e.xpos) << "position " << i;
    EXPECT_EQ(v->ypos, e.ypos) << "position " << i;
    EXPECT_EQ(v->id, e.id) << "position " << i;
    EXPECT_STREQ(v->text, e.text) << "position " << i;
    EXPECT_EQ(v->status, STATUS_SHOWN) << "position " << i;
  }
  EXPECT_EQ(incbutton, getView(1));
  EXPECT_EQ(decbutton, getView(2));
  EXPECT_EQ(polysides, getView(6));
  EXPECT_EQ(polyangles, getView(7));
  EXPECT_EQ(polytype, getView(8));
  EXPECT_EQ(shapescope, getView(9));
  EXPECT_EQ(shapescope->foreground, 0xFF0000);
  EXPECT_EQ(shapescope->background, 0x808080);
}

TEST_F(Shapescope, NamesArePaddedWithZeroBytes) {
  const char* names[] = {"triangle", "octagon", "hendecagon"};
  const int rows[] = {0, 5, 8};
  for (int i = 0; i < 3; ++i) {
    for (int c = 0; c < 11; ++c) {
      const char expected = c < static_cast<int>(std::strlen(names[i])) ? names[i][c] : '\0';
      EXPECT_EQ(polynames[rows[i]][c], expected) << names[i] << " byte " << c;
    }
  }
}

TEST_F(Shapescope, StartScreenShowsTheFrameAndTheFourSidedFacts) {
  drawStartScreen();
  EXPECT_STREQ(polysides->text, "4");
  EXPECT_STREQ(polyangles->text, "90");
  EXPECT_STREQ(polytype->text, "quadrangle");
  EXPECT_EQ(shapescope->value, 4);
  EXPECT_EQ(incbutton->status, STATUS_SHOWN);
  EXPECT_EQ(decbutton->status, STATUS_SHOWN);

  // The frame is 5 pixels thick, centred on the rectangle 20..380 by 20..580.
  struct Sample {
    int x, y;
    uint32_t colour;
  };
  const Sample samples[] = {
      {0, 0, SCREEN_GREY},     {399, 599, SCREEN_GREY}, {17, 300, SCREEN_GREY},
      {18, 300, FRAME_GREY},   {22, 300, FRAME_GREY},   {23, 300, SCREEN_GREY},
      {377, 300, SCREEN_GREY}, {378, 300, FRAME_GREY},  {382, 300, FRAME_GREY},
      {383, 300, SCREEN_GREY}, {200, 17, SCREEN_GREY},  {200, 18, FRAME_GREY},
      {200, 22, FRAME_GREY},   {200, 23, SCREEN_GREY},  {200, 577, SCREEN_GREY},
      {200, 578, FRAME_GREY},  {200, 582, FRAME_GREY},  {200, 583, SCREEN_GREY},
      {20, 20, FRAME_GREY},    {380, 580, FRAME_GREY},  {30, 250, SCREEN_GREY},
  };
  for (const Sample& s : samples) {
    EXPECT_EQ(static_cast<uint32_t>(getPixel(s.x, s.y)), s.colour) << s.x << ", " << s.y;
  }
}

// The square's corners are (295, 314), (295, 505), (104, 505) and (104, 314).
TEST_F(Shapescope, SquareIsOutlinedAndFilledExactly) {
  drawStartScreen();
  const auto outline =
      without(rectanglePoints(104, 314, 295, 505), rectanglePoints(105, 315, 294, 504));
  const auto inside = rectanglePoints(105, 315, 294, 504);
  const auto ground = without(rectanglePoints(POLY_LEFT, POLY_TOP, POLY_RIGHT, POLY_BOTTOM),
                              rectanglePoints(104, 314, 295, 505));
  EXPECT_EQ(polygonPoints(EDGE_BLACK), outline) << describe(polygonPoints(EDGE_BLACK));
  EXPECT_EQ(polygonPoints(FILL_RED), inside);
  EXPECT_EQ(polygonPoints(GROUND_GREY), ground);
}

TEST_F(Shapescope, TriangleRunsThroughItsThreeVerticesAndEndsBesideTheFirst) {
  drawStartScreen();
  clickAt(ON_DECREASE);
  ASSERT_EQ(nsides, 3);
  EXPECT_STREQ(polysides->text, "3");
  EXPECT_STREQ(polyangles->text, "60");
  EXPECT_STREQ(polytype->text, "triangle");
  EXPECT_EQ(decbutton->status, STATUS_DISABLED);
  EXPECT_EQ(incbutton->status, STATUS_SHOWN);

  const auto edges = polygonPoints(EDGE_BLACK);
  for (Point vertex : {Point{200, 275}, Point{316, 477}, Point{83, 477}, Point{199, 275}}) {
    EXPECT_TRUE(edges.count(vertex)) << vertex.first << ", " << vertex.second;
  }
  EXPECT_TRUE(pointsIn(EDGE_BLACK, POLY_LEFT, POLY_TOP, POLY_RIGHT, 274).empty());
  // The bottom edge is horizontal from (83, 477) to (316, 477) and nothing lies below it.
  EXPECT_EQ(pointsIn(EDGE_BLACK, POLY_LEFT, 477, POLY_RIGHT, POLY_BOTTOM),
            rectanglePoints(83, 477, 316, 477));
  EXPECT_TRUE(pointsIn(EDGE_BLACK, POLY_LEFT, POLY_TOP, 82, POLY_BOTTOM).empty());
  EXPECT_TRUE(pointsIn(EDGE_BLACK, 317, POLY_TOP, POLY_RIGHT, POLY_BOTTOM).empty());

  struct Sample {
    int x, y;
    uint32_t colour;
  };
  const Sample samples[] = {
      {200, 410, FILL_RED},    {200, 476, FILL_RED},    {200, 478, GROUND_GREY},
      {200, 274, GROUND_GREY}, {100, 300, GROUND_GREY}, {300, 300, GROUND_GREY},
      {110, 470, FILL_RED},    {290, 470, FILL_RED},
  };
  for (const Sample& s : samples) {
    EXPECT_EQ(static_cast<uint32_t>(getPixel(s.x, s.y)), s.colour) << s.x << ", " << s.y;
  }
}

TEST_F(Shapescope, FactsFollowTheCountForEveryNumberOfSides) {
  struct Case {
    int sides;
    const char* count;
    const char* angle;
    const char* name;
  };
  const Case cases[] = {
      {3, "3", "60", "triangle"},     {4, "4", "90", "quadrangle"}, {5, "5", "108", "pentagon"},
      {6, "6", "120", "hexagon"},     {7, "7", "128", "septagon"},  {8, "8", "135", "octagon"},
      {9, "9", "140", "enneagon"},    {10, "10", "144", "decagon"}, {11, "11", "147", "hendecagon"},
      {12, "12", "150", "dodecagon"},
  };
  drawStartScreen();
  for (const Case& c : cases) {
    nsides = c.sides;
    updateViews();
    EXPECT_STREQ(polysides->text, c.count);
    EXPECT_STREQ(polyangles->text, c.angle);
    EXPECT_STREQ(polytype->text, c.name);
    EXPECT_EQ(shapescope->value, c.sides);
  }
}

// Each polygon is one closed chain of near-black edges: odd counts start at the
// top vertex (200, 275) and, a little short of a full turn, close one pixel to
// its left; even counts have level edges at the top and the bottom. The fill
// from the centre stays inside the outline.
TEST_F(Shapescope, EveryCountIsAChainOfEdgesFromTheTopAndFilledInside) {
  drawStartScreen();
  for (int sides = 3; sides <= 12; ++sides) {
    shapescope->value = sides;
    recordedLines.clear();
    drawView(shapescope);
    ASSERT_EQ(recordedLines.size(), static_cast<size_t>(sides));
    for (size_t i = 0; i < recordedLines.size(); ++i) {
      const Line& edge = recordedLines[i];
      EXPECT_EQ(edge.thickness, 1);
      EXPECT_EQ(edge.colour, static_cast<int>(EDGE_BLACK));
      if (i > 0) {
        EXPECT_EQ(Point(recordedLines[i - 1].x2, recordedLines[i - 1].y2), Point(edge.x1, edge.y1))
            << sides << " sides, edge " << i;
      }
    }
    const Line& first = recordedLines.front();
    const Line& last = recordedLines.back();
    if (sides % 2 == 1) {
      EXPECT_EQ(Point(first.x1, first.y1), Point(200, 275)) << sides << " sides";
      EXPECT_EQ(Point(last.x2, last.y2), Point(199, 275)) << sides << " sides";
    } else {
      const Line& bottom = recordedLines[sides / 2 - 1];
      EXPECT_EQ(first.y1, last.y2) << sides << " sides";
      EXPECT_LT(first.y1, 410) << sides << " sides";
      EXPECT_EQ(bottom.y1, bottom.y2) << sides << " sides";
      EXPECT_GT(bottom.y1, 410) << sides << " sides";
    }
    EXPECT_EQ(static_cast<uint32_t>(getPixel(200, 410)), FILL_RED) << sides << " sides";
    for (Point corner : {Point{50, 260}, Point{349, 260}, Point{50, 559}, Point{349, 559},
                         Point{200, 262}, Point{200, 557}, Point{52, 410}, Point{347, 410}}) {
      EXPECT_EQ(static_cast<uint32_t>(getPixel(corner.first, corner.second)), GROUND_GREY)
          << sides << " sides at " << corner.first << ", " << corner.second;
    }
  }
}

TEST_F(Shapescope, EdgesRunFromVertexToVertex) {
  struct Case {
    int sides;
    std::vector<Point> vertices;
  };
  const Case cases[] = {
      {3, {{200, 275}, {316, 477}, {83, 477}, {199, 275}}},
      {4, {{295, 314}, {295, 505}, {104, 505}, {104, 314}, {295, 314}}},
  };
  drawStartScreen();
  for (const Case& c : cases) {
    shapescope->value = c.sides;
    recordedLines.clear();
    drawView(shapescope);
    EXPECT_EQ(recordedLines, edgesThrough(c.vertices)) << c.sides << " sides";
  }
}

TEST_F(Shapescope, WithoutSidesTheWholeViewIsFilled) {
  drawStartScreen();
  shapescope->value = 0;
  recordedLines.clear();
  drawView(shapescope);
  EXPECT_TRUE(recordedLines.empty());
  EXPECT_EQ(polygonPoints(FILL_RED), rectanglePoints(POLY_LEFT, POLY_TOP, POLY_RIGHT, POLY_BOTTOM));
}

TEST_F(Shapescope, OtherGraphicViewsAreLeftAlone) {
  drawStartScreen();
  View* other = newGraphicView(40, 40, 30, 30);
  const auto before = snapshot();
  resetFlipCount();
  drawView(other);
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(flipCount(), 0);
}

TEST_F(Shapescope, PressesKeepTheCountWithinItsLimits) {
  struct Case {
    int before;
    bool increase;
    int after;
  };
  const Case cases[] = {
      {4, true, 5},  {11, true, 12}, {12, true, 12},  {3, true, 4},
      {4, false, 3}, {3, false, 3},  {12, false, 11},
  };
  for (const Case& c : cases) {
    nsides = c.before;
    buttonDownEvent(c.increase ? incbutton : decbutton);
    EXPECT_EQ(nsides, c.after) << c.before << (c.increase ? " increased" : " decreased");
  }
}

TEST_F(Shapescope, SteppingToEachLimitDisablesItsButton) {
  drawStartScreen();
  for (int expected = 5; expected <= 12; ++expected) {
    clickAt(ON_INCREASE);
    EXPECT_EQ(nsides, expected);
    EXPECT_STREQ(polysides->text, std::to_string(expected).c_str());
    EXPECT_EQ(incbutton->status, expected == 12 ? STATUS_DISABLED : STATUS_SHOWN);
  }
  EXPECT_STREQ(polytype->text, "dodecagon");
  EXPECT_STREQ(polyangles->text, "150");
  EXPECT_TRUE(buttonPoints(incbutton, CAPTION_BLUE).empty());
  EXPECT_FALSE(buttonPoints(incbutton, DISABLED_GREY).empty());
  EXPECT_FALSE(buttonPoints(decbutton, CAPTION_BLUE).empty());

  // A press on the greyed button reaches the plain view underneath.
  const auto atTwelve = snapshot();
  resetFlipCount();
  clickAt(ON_INCREASE);
  EXPECT_EQ(nsides, 12);
  EXPECT_EQ(incbutton->value, 0);
  EXPECT_EQ(flipCount(), 0);
  EXPECT_EQ(snapshot(), atTwelve);
  EXPECT_EQ(quit, 0);

  for (int expected = 11; expected >= 3; --expected) {
    clickAt(ON_DECREASE);
    EXPECT_EQ(nsides, expected);
    EXPECT_EQ(decbutton->status, expected == 3 ? STATUS_DISABLED : STATUS_SHOWN);
    EXPECT_EQ(incbutton->status, STATUS_SHOWN);
  }
  EXPECT_STREQ(polytype->text, "triangle");
  EXPECT_TRUE(buttonPoints(decbutton, CAPTION_BLUE).empty());
  EXPECT_FALSE(buttonPoints(decbutton, DISABLED_GREY).empty());
  EXPECT_FALSE(buttonPoints(incbutton, CAPTION_BLUE).empty());

  const auto atThree = snapshot();
  clickAt(ON_DECREASE);
  EXPECT_EQ(nsides, 3);
  EXPECT_EQ(snapshot(), atThree);
}

// "quadrangle" reaches column 329; "triangle" ends at column 305.
TEST_F(Shapescope, AShorterNameLeavesNoTraceOfTheLongerOne) {
  drawStartScreen();
  EXPECT_FALSE(pointsIn(FRAME_GREY, 306, 130, 329, 161).empty());
  clickAt(ON_DECREASE);
  EXPECT_TRUE(pointsIn(FRAME_GREY, 306, 130, 329, 161).empty());
  EXPECT_FALSE(pointsIn(FRAME_GREY, 210, 130, 305, 161).empty());
}

TEST_F(Shapescope, PressReleasedAwayChangesTheCountButNotTheScreen) {
  drawStartScreen();
  const auto polygonBefore = polygonPoints(FILL_RED);
  pushPress(ON_INCREASE.first, ON_INCREASE.second);
  pushRelease(200, 400);
  dispatch();
  EXPECT_EQ(nsides, 5);
  EXPECT_STREQ(polysides->text, "4");
  EXPECT_EQ(polygonPoints(FILL_RED), polygonBefore);
  EXPECT_EQ(incbutton->value, 1);
  EXPECT_EQ(static_cast<uint32_t>(getPixel(290, 195)), CAPTION_BLUE) << "pressed body";
  EXPECT_EQ(quit, 0);

  // The release on the other button brings the screen up to date, and the
  // first button keeps its pressed look.
  pushPress(ON_INCREASE.first, ON_INCREASE.second);
  pushRelease(ON_DECREASE.first, ON_DECREASE.second);
  dispatch();
  EXPECT_EQ(nsides, 6);
  EXPECT_STREQ(polysides->text, "6");
  EXPECT_STREQ(polytype->text, "hexagon");
  EXPECT_EQ(incbutton->value, 1);
  EXPECT_EQ(decbutton->value, 0);
  EXPECT_EQ(static_cast<uint32_t>(getPixel(290, 195)), CAPTION_BLUE) << "pressed body";
  EXPECT_EQ(static_cast<uint32_t>(getPixel(110, 195)), SCREEN_GREY) << "released body";
}

TEST_F(Shapescope, AtTwelveAStillShownIncreaseKeepsTheCount) {
  drawStartScreen();
  for (int i = 0; i < 7; ++i) clickAt(ON_INCREASE);
  ASSERT_EQ(nsides, 11);
  pushPress(ON_INCREASE.first, ON_INCREASE.second);
  pushRelease(200, 400);
  dispatch();
  ASSERT_EQ(nsides, 12);
  ASSERT_EQ(incbutton->status, STATUS_SHOWN);
  pushPress(ON_INCREASE.first, ON_INCREASE.second);
  dispatch();
  EXPECT_EQ(nsides, 12);
  pushRelease(ON_INCREASE.first, ON_INCREASE.second);
  dispatch();
  EXPECT_EQ(nsides, 12);
  EXPECT_EQ(incbutton->status, STATUS_DISABLED);
  EXPECT_STREQ(polytype->text, "dodecagon");
}

TEST_F(Shapescope, OnlyAReleaseOnTheTopRowOrLeftColumnEnds) {
  drawStartScreen();
  struct Case {
    int x, y;
    bool ends;
  };
  const Case cases[] = {
      {0, 300, true}, {200, 0, true},    {0, 0, true},      {399, 0, true},    {0, 599, true},
      {1, 1, false},  {399, 599, false}, {200, 100, false}, {200, 400, false}, {10, 10, false},
  };
  for (const Case& c : cases) {
    quit = 0;
    pushPress(c.x, c.y);
    dispatch();
    EXPECT_EQ(quit, 0) << "press at " << c.x << ", " << c.y;
    pushRelease(c.x, c.y);
    dispatch();
    EXPECT_EQ(quit, c.ends ? 1 : 0) << "release at " << c.x << ", " << c.y;
    EXPECT_EQ(nsides, 4);
  }
}

}  // namespace

void recordLine(int x1, int y1, int x2, int y2, int thickness, int colour) {
  recordedLines.push_back({x1, y1, x2, y2, thickness, colour});
}
