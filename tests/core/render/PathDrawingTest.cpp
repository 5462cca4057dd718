#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "PixelRecorder.h"
#include "render/PathDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

using test::drawnPixels;
using test::Pixel;
using test::PixelRecorder;

constexpr Colour Pen = rgb(0, 192, 0);
constexpr Colour Fore = Black;

class PathDrawingTest : public ::testing::Test {
 protected:
  PathDrawingTest() : recorder(picture), drawer(view, recorder.hooks()) {
    view.ZoomFactor = 1;
    view.PenColour = Pen;
    view.DrawDelay = 4;
    picture.foreColour = Fore;
  }

  void placePen(double column, double row) {
    view.CurrentPointZ = view.TargetPointZ = column;
    view.CurrentPointX = view.TargetPointX = row;
  }

  void draw(std::string block, bool arcMove, bool instant) {
    drawn = block;
    drawer.DrawMove(drawn, arcMove, picture, instant);
  }

  Colour at(int column, int row) const { return picture.getPixel(column, row); }

  Surface picture;
  ViewState view;
  PixelRecorder recorder;
  PathDrawer drawer;
  std::string drawn;
};

TEST_F(PathDrawingTest, RapidMoveWithBothAxesMakesTheDogLeg) {
  placePen(660, 340);
  picture.drawStyle = LineStyle::Dot;
  draw("G00 X20 Z-30 ;", false, false);
  EXPECT_TRUE(drawer.RapidMode);
  EXPECT_EQ(view.CurrentPointZ, 630);
  EXPECT_EQ(view.CurrentPointX, 330);
  EXPECT_EQ(at(660, 340), Fore);
  EXPECT_EQ(at(654, 334), Fore);        // on the 45 degree leg
  EXPECT_EQ(at(654, 338), ButtonFace);  // where a direct line would run
  EXPECT_EQ(at(657, 337), ButtonFace);  // a gap of the dots
  EXPECT_EQ(at(650, 330), Fore);        // the corner starts the straight part
  EXPECT_EQ(at(636, 330), Fore);
  EXPECT_EQ(recorder.refreshes, 0);  // drawn at once
  EXPECT_EQ(recorder.waits, std::vector<int>{4});
}

TEST_F(PathDrawingTest, FeedMoveAfterTheRapidIsDrawnPixelByPixel) {
  placePen(660, 340);
  picture.drawStyle = LineStyle::Dot;
  draw("G00 X20 Z-30 ;", false, false);
  picture.drawStyle = LineStyle::Solid;
  recorder.restart();
  draw("G01 Z-50 ;", false, false);
  EXPECT_FALSE(drawer.RapidMode);
  std::vector<Pixel> expected;
  for (int column = 630; column >= 610; --column) expected.emplace_back(column, 330);
  EXPECT_EQ(recorder.pixels, expected);
  EXPECT_EQ(recorder.refreshes, 21);
  EXPECT_EQ(recorder.waits, std::vector<int>(22, 4));  // one per pixel and one at the end
  for (const Pixel& p : expected) EXPECT_EQ(at(p.first, p.second), Pen);
  EXPECT_EQ(view.CurrentPointZ, 610);
}

TEST_F(PathDrawingTest, IncrementalRapidMoveIsOneStraightLine) {
  placePen(630, 330);
  draw("G00 U-20 W-5 ;", false, true);
  EXPECT_TRUE(drawer.RapidMode);
  std::set<Pixel> expected;
  for (int row = 330; row <= 340; ++row) expected.emplace(630 - (row - 330) / 2, row);
  EXPECT_EQ(drawnPixels(picture), expected);
  EXPECT_EQ(at(625, 335), ButtonFace);
  EXPECT_EQ(view.CurrentPointZ, 625);
  EXPECT_EQ(view.CurrentPointX, 340);
}

TEST_F(PathDrawingTest, FractionalPenIsRoundedByTheAnimatedLineOnly) {
  view.ZoomFactor = 3.4;
  placePen(660, 340);
  draw("G01 X3 Z-1 ;", false, true);
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 656.6);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 334.9);
  draw("G01 X0 Z0 ;", false, false);
  EXPECT_EQ(view.CurrentPointZ, 660);
  EXPECT_EQ(view.CurrentPointX, 340);
}

struct StraightCase {
  const char* name;
  const char* block;
  double targetZ, targetX;
  bool draws;
};

void PrintTo(const StraightCase& c, std::ostream* os) {
  *os << c.block;
}

class StraightTargetTest : public PathDrawingTest,
                           public ::testing::WithParamInterface<StraightCase> {};

// Zoom 2, pen and target at (600, 300).
TEST_P(StraightTargetTest, TakesTheEndPointFromTheWords) {
  const StraightCase& c = GetParam();
  view.ZoomFactor = 2;
  placePen(600, 300);
  const auto before = picture.revision();
  draw(c.block, false, true);
  EXPECT_DOUBLE_EQ(view.TargetPointZ, c.targetZ);
  EXPECT_DOUBLE_EQ(view.TargetPointX, c.targetX);
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, c.targetZ);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, c.targetX);
  EXPECT_EQ(picture.revision() != before, c.draws);
  EXPECT_EQ(recorder.waits.size(), c.draws ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StraightTargetTest,
    ::testing::Values(StraightCase{"x_and_z", "G01 X20 Z-10 ;", 640, 320, true},
                      StraightCase{"z_only", "G01 Z-10 ;", 640, 300, true},
                      StraightCase{"x_only", "G01 X20 ;", 600, 320, true},
                      StraightCase{"u_and_w", "G01 U10 W-5 ;", 590, 290, true},
                      StraightCase{"w_only", "G01 W-5 ;", 590, 300, true},
                      StraightCase{"u_only", "G01 U10 ;", 600, 290, true},
                      StraightCase{"absolute_wins", "G01 X20 Z-10 U4 W4 ;", 640, 320, true},
                      StraightCase{"no_motion_words", "G01 F0.2 ;", 600, 300, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathDrawingTest, RapidModeFollowsTheLastGWord) {
  placePen(600, 300);
  const std::pair<const char*, bool> steps[] = {{"G0 X20 ;", true},   {"X30 ;", true},
                                                {"G01 X20 ;", false}, {"Z-5 ;", false},
                                                {"G00 Z-3 ;", true},  {"G04 U1 ;", false}};
  for (const auto& [block, rapid] : steps) {
    draw(block, false, true);
    EXPECT_EQ(drawer.RapidMode, rapid) << block;
  }
}

struct CentreCase {
  const char* name;
  double penZ, penX;
  const char* block;
  double centreZ, centreX;
  Pixel onArc, offArc;
};

void PrintTo(const CentreCase& c, std::ostream* os) {
  *os << c.block;
}

class RadiusArcTest : public PathDrawingTest, public ::testing::WithParamInterface<CentreCase> {};

TEST_P(RadiusArcTest, CentreOnTheChosenSideAndArcDrawnAtOnce) {
  const CentreCase& c = GetParam();
  placePen(c.penZ, c.penX);
  draw(c.block, true, true);
  EXPECT_EQ(drawer.arc.ArcCentreZ, c.centreZ);
  EXPECT_EQ(drawer.arc.ArcCentreX, c.centreX);
  EXPECT_EQ(at(c.onArc.first, c.onArc.second), Fore);
  EXPECT_EQ(at(c.offArc.first, c.offArc.second), ButtonFace);
  EXPECT_EQ(at(static_cast<int>(c.penZ), static_cast<int>(c.penX)), Fore);
  EXPECT_EQ(at(static_cast<int>(view.TargetPointZ), static_cast<int>(view.TargetPointX)), Fore);
  EXPECT_EQ(recorder.waits, std::vector<int>{4});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RadiusArcTest,
    ::testing::Values(
        CentreCase{
            "g02_vertical_chord", 640, 326, "G02 X40 Z-20 R5 ;", 644, 323, {639, 323}, {649, 323}},
        CentreCase{"g03_vertical_chord_left",
                   640,
                   326,
                   "G03 X40 Z-20 R5 ;",
                   636,
                   323,
                   {641, 323},
                   {631, 323}},
        CentreCase{"g03_horizontal_chord_kept",
                   630,
                   320,
                   "G03 X40 Z-20 R13 ;",
                   635,
                   332,
                   {635, 345},
                   {635, 319}},
        CentreCase{"g03_horizontal_chord_corrected",
                   640,
                   320,
                   "G03 X40 Z-30 R13 ;",
                   635,
                   332,
                   {635, 319},
                   {635, 345}},
        CentreCase{"g03_general_side_true",
                   650,
                   330,
                   "G03 X40 Z-20 R10 ;",
                   640,
                   330,
                   {647, 323},
                   {633, 337}},
        CentreCase{"g02_general_side_false",
                   650,
                   330,
                   "G02 X40 Z-20 R10 ;",
                   650,
                   320,
                   {643, 327},
                   {657, 313}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathDrawingTest, RadiusArcPixelByPixelEndsOnItsPoints) {
  placePen(640, 326);
  draw("G02 X40 Z-20 R5 ;", true, false);
  EXPECT_EQ(at(640, 326), Pen);
  EXPECT_EQ(at(639, 323), Pen);
  EXPECT_EQ(at(640, 320), Pen);
  EXPECT_EQ(at(649, 323), ButtonFace);
  EXPECT_EQ(drawer.arc.ArcStartAngle.substr(0, 6), "306.89");
  EXPECT_EQ(recorder.refreshes, 307 - 233 + 1);
  EXPECT_EQ(recorder.waits.size(), static_cast<std::size_t>(recorder.refreshes + 1));
}

TEST_F(PathDrawingTest, CentreOffsetArc) {
  view.ZoomFactor = 3.4;
  placePen(660, 306);
  draw("G03 X20 Z-10 I0 K-5 ;", true, true);
  EXPECT_EQ(drawer.arc.ArcCentreZ, 643);  // 5 * 3.4 = 17 pixels to the left
  EXPECT_EQ(drawer.arc.ArcCentreX, 306);
  EXPECT_EQ(at(643, 289), Fore);  // over the top
  EXPECT_EQ(at(643, 323), ButtonFace);
  EXPECT_EQ(at(660, 306), Fore);
  EXPECT_EQ(at(626, 306), Fore);
  EXPECT_TRUE(recorder.waits.empty());  // no closing pause in this form
}

TEST_F(PathDrawingTest, CentreOffsetArcPixelByPixel) {
  view.ZoomFactor = 3.4;
  placePen(660, 306);
  draw("G03 X20 Z-10 I0 K-5 ;", true, false);
  EXPECT_EQ(at(643, 289), Pen);
  EXPECT_EQ(at(626, 306), Pen);
  EXPECT_EQ(recorder.refreshes, 181);  // 90 to 270 degrees
  EXPECT_EQ(recorder.waits.size(), 181u);
  EXPECT_EQ(view.CurrentPointZ, 626);
}

TEST_F(PathDrawingTest, CentreOffsetIIsARadiusValue) {
  view.ZoomFactor = 3.4;
  placePen(660, 306);
  draw("G03 X40 Z0 I5 K0 ;", true, true);
  EXPECT_EQ(drawer.arc.ArcCentreZ, 660);
  EXPECT_EQ(drawer.arc.ArcCentreX, 289);
  EXPECT_EQ(at(677, 289), Fore);
  EXPECT_EQ(at(643, 289), ButtonFace);
}

TEST_F(PathDrawingTest, CentreOffsetRadiusRoundsToAWholePixel) {
  view.ZoomFactor = 2.5;
  placePen(660, 300);
  // K-5 gives 12.5 pixels: ties go to the even 12, so the arc's top lies 12 rows up.
  draw("G03 X32 Z-25 I0 K-5 ;", true, true);
  EXPECT_EQ(at(648, 288), Fore);
  EXPECT_EQ(at(648, 287), ButtonFace);
}

struct IncrementalCase {
  const char* name;
  double penZ, penX;
  const char* block;
  const char* rewritten;
  double endZ, endX;
};

void PrintTo(const IncrementalCase& c, std::ostream* os) {
  *os << c.block;
}

class IncrementalArcTest : public PathDrawingTest,
                           public ::testing::WithParamInterface<IncrementalCase> {};

// Zoom 2.
TEST_P(IncrementalArcTest, RewritesTheBlockWithAbsoluteWords) {
  const IncrementalCase& c = GetParam();
  view.ZoomFactor = 2;
  placePen(c.penZ, c.penX);
  draw(c.block, true, true);
  EXPECT_EQ(drawn, c.rewritten);
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, c.endZ);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, c.endX);
  // The centre is rounded to whole pixels, so the arc passes within a pixel of its end.
  bool nearEnd = false;
  for (int dz = -1; dz <= 1; ++dz) {
    for (int dx = -1; dx <= 1; ++dx) {
      nearEnd = nearEnd || at(static_cast<int>(c.endZ) + dz, static_cast<int>(c.endX) + dx) == Fore;
    }
  }
  EXPECT_TRUE(nearEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IncrementalArcTest,
    ::testing::Values(
        IncrementalCase{"u_and_w", 660, 320, "G03 U10 W-5 R5 ;", "G03 X30 Z-5 R5 ;", 650, 310},
        IncrementalCase{"u_only", 650, 320, "G02 U10 R5 ;", "G02 X30 R5 Z-5 ;", 650, 310},
        IncrementalCase{"w_only", 650, 320, "G02 W-5 R5 ;", "G02 Z-10 R5 X20 ;", 640, 320},
        IncrementalCase{"u_with_absolute_z", 650, 320, "G02 U10 Z-10 R8 ;", "G02 X30 Z-10 R8 ;",
                        640, 310},
        IncrementalCase{"fractional_result", 661, 320, "G03 U1 W-0.25 R5 ;", "G03 X21 Z0.25 R5 ;",
                        660.5, 319}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathDrawingTest, CircularBlockWithoutEndWordsDrawsNothing) {
  placePen(640, 330);
  const auto before = picture.revision();
  draw("G02 R5 ;", true, true);
  EXPECT_EQ(picture.revision(), before);
  EXPECT_EQ(view.CurrentPointZ, 640);
  EXPECT_EQ(view.CurrentPointX, 330);
  EXPECT_TRUE(recorder.waits.empty());
}

TEST_F(PathDrawingTest, CircularBlockWithOnlyXEndsOnTheZeroColumn) {
  placePen(640, 330);
  draw("G02 X40 R50 ;", true, true);
  EXPECT_EQ(view.CurrentPointZ, 660);
  EXPECT_EQ(view.CurrentPointX, 320);
}

struct ContourCase {
  double zoom;
  int contourColumn;
  int topRow, axisRow;
  int depth;
};

void PrintTo(const ContourCase& c, std::ostream* os) {
  *os << "zoom " << c.zoom;
}

class ContourProbeTest : public ::testing::TestWithParam<ContourCase> {};

// The roughing cycle draws the contour X20, Z-30, X52 from the start point X51 Z2 into a white
// picture, first at once and then pixel by pixel, and probes each pass row from the right.
TEST_P(ContourProbeTest, ContourLiesWhereTheProbeLooks) {
  const ContourCase& c = GetParam();
  Surface calculate(Surface::ViewWidth, Surface::ViewHeight, White);
  calculate.foreColour = Black;
  ViewState view;
  view.ZoomFactor = c.zoom;
  view.PenColour = Black;
  PathDrawer drawer(view, {});
  const double startZ = view.columnOf(2), startX = view.rowOf(51);
  for (const bool instant : {true, false}) {
    view.CurrentPointZ = view.TargetPointZ = startZ;
    view.CurrentPointX = view.TargetPointX = startX;
    const std::pair<std::string, LineStyle> contour[] = {{"N40 G00 X20 ;", LineStyle::Dot},
                                                         {"N50 G01 Z-30 ;", LineStyle::Solid},
                                                         {"N60 X52 ;", LineStyle::Solid}};
    for (auto [block, style] : contour) {
      calculate.drawStyle = style;
      drawer.DrawMove(block, false, calculate, instant);
    }
  }
  for (int row = c.topRow; row <= c.axisRow; ++row) {
    EXPECT_EQ(calculate.getPixel(c.contourColumn, row), Black) << row;
  }
  for (int column = c.contourColumn; column <= static_cast<int>(startZ); ++column) {
    EXPECT_EQ(calculate.getPixel(column, c.axisRow), Black) << column;
  }
  for (int row = static_cast<int>(startX) + c.depth; row <= c.axisRow; row += c.depth) {
    int hit = -1;
    for (int column = static_cast<int>(startZ) - 2; column >= c.contourColumn && hit < 0;
         --column) {
      if (calculate.getPixel(column, row) == Black) hit = column;
    }
    EXPECT_EQ(hit, c.contourColumn) << "row " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(Zooms, ContourProbeTest,
                         ::testing::Values(ContourCase{2, 600, 288, 320, 4},
                                           ContourCase{3.4, 558, 252, 306, 7}));

class ArcContourTest : public ::testing::TestWithParam<bool> {};

// Line, quarter arc and line at zoom 3.4: every row the arc spans is found by a probe from the
// right, so the arc closes the contour between its lines without a gap.
TEST_P(ArcContourTest, ProbeFindsTheArcOnEveryRow) {
  const bool instant = GetParam();
  Surface calculate(Surface::ViewWidth, Surface::ViewHeight, White);
  calculate.foreColour = Black;
  ViewState view;
  view.ZoomFactor = 3.4;
  view.PenColour = Black;
  PathDrawer drawer(view, {});
  view.CurrentPointZ = view.TargetPointZ = 660;
  view.CurrentPointX = view.TargetPointX = 306;
  const std::pair<std::string, bool> contour[] = {
      {"G01 Z-10 ;", false}, {"G03 X40 Z-20 R10 ;", true}, {"G01 Z-40 ;", false}};
  for (auto [block, arcMove] : contour) drawer.DrawMove(block, arcMove, calculate, instant);
  EXPECT_EQ(drawer.arc.ArcCentreZ, 592);
  EXPECT_EQ(drawer.arc.ArcCentreX, 306);
  for (int row = 272; row <= 306; ++row) {
    int hit = -1;
    for (int column = 659; column >= 590 && hit < 0; --column) {
      if (calculate.getPixel(column, row) == Black) hit = column;
    }
    EXPECT_GE(hit, 592) << "row " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, ArcContourTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "instant" : "animated"; });

TEST_F(PathDrawingTest, HugeFeedMoveCostsOnlyItsVisiblePixels) {
  placePen(-1e9, -1e9);
  // Target (1e9, 1e9): Z = 1e9 - 660, X = 2 * (340 - 1e9).
  draw("G01 X-1999999320 Z999999340 ;", false, false);
  std::set<Pixel> diagonal;
  for (int i = 0; i < picture.height(); ++i) diagonal.emplace(i, i);
  EXPECT_EQ(drawnPixels(picture), diagonal);
  EXPECT_EQ(recorder.refreshes, picture.height());
  EXPECT_EQ(view.CurrentPointZ, 1e9);
}

TEST_F(PathDrawingTest, HugeRadiusArcDrawnAtOnceShowsItsVisiblePart) {
  placePen(-649, 184);
  // From 1000 pixels left of column 351 to 1000 right of it, radius 1e8: almost flat.
  draw("G02 X312 Z691 R100000000 ;", true, true);
  for (int column = 0; column < picture.width(); ++column) {
    ASSERT_EQ(at(column, 184), Fore) << column;
  }
  EXPECT_EQ(at(351, 185), ButtonFace);
  EXPECT_EQ(at(351, 183), ButtonFace);
}

}  // namespace
}  // namespace draivo
