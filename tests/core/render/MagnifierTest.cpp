#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "render/Colour.h"
#include "render/Magnifier.h"
#include "render/Surface.h"

namespace draivo {
namespace {

// A view whose every pixel tells where it came from.
Surface patternedView() {
  Surface view;
  for (int row = 0; row < view.height(); ++row)
    for (int column = 0; column < view.width(); ++column)
      view.setPixel(column, row, rgb(column % 256, row % 256, (column / 256) * 16 + row / 256));
  return view;
}

struct Point {
  int x;
  int y;
};

struct DragCase {
  std::string name;
  std::vector<Point> downs;  // mouse downs in order (a second one comes during the drag)
  std::vector<Point> moves;  // moves with the button held
  bool magnified;
  SelectionRect rect;
  int factor;
};

void PrintTo(const DragCase& c, std::ostream* os) {
  *os << c.name;
}

class MagnifierDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(MagnifierDrag, GivesRectangleAndFactor) {
  const DragCase& c = GetParam();
  Magnifier magnifier;
  for (const Point& p : c.downs) magnifier.mouseDown(p.x, p.y);
  for (const Point& p : c.moves) magnifier.mouseMove(p.x, p.y, true);
  if (!c.moves.empty()) {
    EXPECT_TRUE(magnifier.outlineVisible());
  }

  const Surface view = patternedView();
  Surface zoom;
  EXPECT_EQ(magnifier.mouseUp(view, zoom), c.magnified);
  EXPECT_FALSE(magnifier.outlineVisible());
  EXPECT_FALSE(magnifier.Selecting());
  EXPECT_EQ(magnifier.zoomVisible(), c.magnified);
  if (!c.magnified) return;

  const SelectionRect& r = magnifier.selectionRect();
  EXPECT_EQ(r.left, c.rect.left);
  EXPECT_EQ(r.top, c.rect.top);
  EXPECT_EQ(r.width, c.rect.width);
  EXPECT_EQ(r.height, c.rect.height);
  EXPECT_EQ(magnifier.lastFactor(), c.factor);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, MagnifierDrag,
    ::testing::Values(
        // 1500,1500 to 3000,2250 twips: 100,100 to 200,150 pixels; 7.02 against 7.38.
        DragCase{"DownRight", {{100, 100}}, {{150, 120}, {200, 150}}, true, {100, 100, 100, 50}, 7},
        DragCase{"UpLeft", {{200, 150}}, {{200, 140}, {100, 100}}, true, {100, 100, 100, 50}, 7},
        DragCase{"DownLeft", {{200, 100}}, {{100, 150}}, true, {100, 100, 100, 50}, 7},
        DragCase{"SecondDownIgnored",
                 {{100, 100}, {300, 300}},
                 {{200, 150}},
                 true,
                 {100, 100, 100, 50},
                 7},
        DragCase{"OverHalfTheViewCopiesUnmagnified",
                 {{10, 10}},
                 {{400, 200}},
                 true,
                 {10, 10, 390, 190},
                 1},
        DragCase{"TallRegionLimitedByHeight", {{0, 0}}, {{20, 100}}, true, {0, 0, 20, 100}, 3},
        DragCase{"ClickWithoutMoving", {{50, 60}}, {}, false, {}, 0},
        DragCase{"BackToStartX", {{50, 60}}, {{80, 90}, {50, 90}}, false, {}, 0},
        DragCase{"OnlyHorizontal", {{50, 60}}, {{120, 60}}, false, {}, 0},
        DragCase{"ReleaseWithoutDown", {}, {}, false, {}, 0}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return info.param.name; });

TEST(Magnifier, ExampleRegionIsShownSevenTimesLarger) {
  Magnifier magnifier;
  magnifier.mouseDown(100, 100);
  magnifier.mouseMove(200, 150, true);
  const Surface view = patternedView();
  Surface zoom;
  ASSERT_TRUE(magnifier.mouseUp(view, zoom));

  // 700 x 350 pixels, each source pixel a 7 x 7 block; the rest is background.
  for (int dy = 0; dy < 50; dy += 7)
    for (int dx = 0; dx < 100; dx += 9)
      for (int inner : {0, 6})
        EXPECT_EQ(zoom.getPixel(dx * 7 + inner, dy * 7 + inner), view.getPixel(100 + dx, 100 + dy))
            << dx << "," << dy;
  EXPECT_EQ(zoom.getPixel(700, 10), zoom.backColour());
  EXPECT_EQ(zoom.getPixel(10, 350), zoom.backColour());
  EXPECT_NE(zoom.getPixel(699, 349), zoom.backColour());
}

TEST(Magnifier, NewMagnificationErasesTheOldOne) {
  const Surface view = patternedView();
  Surface zoom;
  Magnifier magnifier;
  magnifier.mouseDown(0, 0);
  magnifier.mouseMove(100, 50, true);
  ASSERT_TRUE(magnifier.mouseUp(view, zoom));
  magnifier.zoomClick();
  EXPECT_FALSE(magnifier.zoomVisible());
  magnifier.mouseDown(0, 0);
  magnifier.mouseMove(600, 300, true);
  ASSERT_TRUE(magnifier.mouseUp(view, zoom));
  EXPECT_EQ(magnifier.lastFactor(), 1);
  EXPECT_EQ(zoom.getPixel(650, 100), zoom.backColour());
  EXPECT_EQ(zoom.getPixel(599, 299), view.getPixel(599, 299));
}

TEST(Magnifier, MoveWithoutButtonEndsTheDrag) {
  Magnifier magnifier;
  magnifier.mouseDown(10, 10);
  magnifier.mouseMove(60, 60, true);
  magnifier.mouseMove(70, 70, false);
  EXPECT_FALSE(magnifier.Selecting());
  const Surface view;
  Surface zoom;
  EXPECT_FALSE(magnifier.mouseUp(view, zoom));
  EXPECT_FALSE(magnifier.zoomVisible());
}

struct FactorCase {
  double width;
  double height;
  int factor;
};

void PrintTo(const FactorCase& c, std::ostream* os) {
  *os << c.width << "x" << c.height;
}

class MagnifyFactorOf : public ::testing::TestWithParam<FactorCase> {};

TEST_P(MagnifyFactorOf, IsLargestWholeFactorThatFits) {
  const FactorCase& c = GetParam();
  EXPECT_EQ(MagnifyFactor(702, 369, c.width, c.height), c.factor);
}

INSTANTIATE_TEST_SUITE_P(Regions, MagnifyFactorOf,
                         ::testing::Values(FactorCase{100, 50, 7}, FactorCase{351, 100, 2},
                                           FactorCase{352, 100, 1}, FactorCase{10, 123, 3},
                                           FactorCase{1, 1, 369}, FactorCase{702, 369, 1},
                                           FactorCase{900, 500, 1}));

}  // namespace
}  // namespace draivo
