#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

struct MappingCase {
  double zoom, z, x;
  double column, row;
};

void PrintTo(const MappingCase& c, std::ostream* os) {
  *os << "zoom " << c.zoom << " Z" << c.z << " X" << c.x;
}

class ViewMappingTest : public ::testing::TestWithParam<MappingCase> {};

TEST_P(ViewMappingTest, MapsBothWays) {
  const MappingCase& c = GetParam();
  ViewState view;
  view.ZoomFactor = c.zoom;
  EXPECT_NEAR(view.columnOf(c.z), c.column, 1e-9);
  EXPECT_NEAR(view.rowOf(c.x), c.row, 1e-9);
  EXPECT_NEAR(view.zOf(c.column), c.z, 1e-9);
  EXPECT_NEAR(view.xOf(c.row), c.x, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, ViewMappingTest,
                         ::testing::Values(MappingCase{3.4, -20, 40, 592, 272},
                                           MappingCase{3.4, 0, 0, 660, 340},
                                           MappingCase{2, 2, 51, 664, 289},
                                           MappingCase{1, -30, 20, 630, 330}));

TEST(ViewScrollBarsTest, ZoomFollowsTheBar) {
  ViewState view;
  EXPECT_EQ(view.zoomLabel(), " 3.4");
  view.setZoomValue(100);
  EXPECT_DOUBLE_EQ(view.ZoomFactor, 10);
  EXPECT_EQ(view.zoomLabel(), " 10");
  view.setZoomValue(25);
  EXPECT_DOUBLE_EQ(view.ZoomFactor, 2.5);
  EXPECT_EQ(view.zoomLabel(), " 2.5");
  view.setZoomValue(3);  // below the bar's minimum
  EXPECT_DOUBLE_EQ(view.ZoomFactor, 1);
  EXPECT_EQ(view.zoomLabel(), " 1");
}

struct SpeedCase {
  int value;
  int delay;
  const char* label;
};

void PrintTo(const SpeedCase& c, std::ostream* os) {
  *os << "value " << c.value;
}

class ViewSpeedTest : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(ViewSpeedTest, DelayAndLabel) {
  ViewState view;
  view.setSpeedValue(GetParam().value);
  EXPECT_EQ(view.DrawDelay, GetParam().delay);
  EXPECT_EQ(view.speedLabel(), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Cases, ViewSpeedTest,
                         ::testing::Values(SpeedCase{0, 0, "100"}, SpeedCase{20, 20, "0"},
                                           SpeedCase{7, 7, "65"}, SpeedCase{25, 20, "0"},
                                           SpeedCase{-3, 0, "100"}));

class ResetViewTest : public ::testing::Test {
 protected:
  ResetViewTest() {
    view.ToolColourIndex = 5;
    view.PenColour = rgb(1, 2, 3);
    picture.setPixel(100, 100, Black);
    picture.drawStyle = LineStyle::Dot;
    ResetView(picture, view);
  }
  Surface picture;
  ViewState view;
};

TEST_F(ResetViewTest, PutsThePenHomeAndTheTargetOnTheProgramZero) {
  EXPECT_NEAR(view.CurrentPointZ, 1510, 1e-9);
  EXPECT_NEAR(view.CurrentPointX, -85, 1e-9);
  EXPECT_EQ(view.TargetPointZ, 660);
  EXPECT_EQ(view.TargetPointX, 340);
  EXPECT_EQ(view.ToolColourIndex, 0);
  EXPECT_EQ(view.PenColour, rgb(1, 2, 3));
}

TEST_F(ResetViewTest, LeavesABlueThinSolidPen) {
  EXPECT_EQ(picture.foreColour, Blue);
  EXPECT_EQ(picture.drawWidth, 1);
  EXPECT_EQ(picture.drawStyle, LineStyle::Solid);
}

TEST_F(ResetViewTest, ClearsAndDrawsTheAxisCross) {
  EXPECT_EQ(picture.getPixel(100, 100), ButtonFace);
  struct Expect {
    int column, row;
    Colour colour;
  };
  const Expect points[] = {
      {660, 10, Blue},                           // tip of the X arrow
      {660, 200, Blue},                          // X axis
      {660, 350, Blue},                          // X axis below the centre line
      {660, 351, ButtonFace},                    // ... ends there
      {656, 20, Blue},                           // X arrow head, widest line
      {664, 20, Blue},        {10, 340, Blue},   // centre line starts with a dash
      {19, 340, ButtonFace},                     // first gap of the dash-dot pattern
      {25, 340, Blue},                           // the dot
      {28, 340, ButtonFace},  {672, 340, Blue},  // Z stub
      {676, 340, ButtonFace},                    // between the stubs and the arrow
      {693, 340, Blue},                          // tip of the Z arrow
      {683, 336, Blue},                          // Z arrow head
      {683, 344, Blue},       {670, 11, Blue},   // letter X, two pixels wide
      {671, 12, Blue},        {685, 350, Blue},  // letter Z, top stroke
      {691, 358, Blue},                          // letter Z, bottom stroke
      {300, 100, ButtonFace},
  };
  for (const Expect& e : points) {
    EXPECT_EQ(picture.getPixel(e.column, e.row), e.colour) << e.column << "," << e.row;
  }
}

TEST(ResetViewZoomTest, HomePointFollowsTheZoom) {
  Surface picture;
  ViewState view;
  view.setZoomValue(10);
  ResetView(picture, view);
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 910);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 215);
}

}  // namespace
}  // namespace draivo
