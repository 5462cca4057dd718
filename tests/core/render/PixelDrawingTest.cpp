#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "PixelRecorder.h"
#include "render/PixelDrawing.h"
#include "render/Surface.h"

namespace draivo {
namespace {

using test::drawnPixels;
using test::Pixel;
using test::PixelRecorder;

constexpr Colour Pen = rgb(0, 192, 0);

struct LineCase {
  const char* name;
  double z1, x1, z2, x2;
  std::vector<Pixel> pixels;  // in drawing order
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.name;
}

class LineByPixelTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineByPixelTest, SetsPixelsInOrderWithARefreshAndWaitEach) {
  const LineCase& c = GetParam();
  Surface picture(20, 20);
  PixelRecorder recorder(picture);
  double z1 = c.z1, x1 = c.x1, z2 = c.z2, x2 = c.x2;
  LineByPixel(picture, recorder.hooks(), Pen, 7, z1, x1, z2, x2);
  EXPECT_EQ(recorder.pixels, c.pixels);
  EXPECT_EQ(recorder.refreshes, static_cast<int>(c.pixels.size()));
  EXPECT_EQ(recorder.waits, std::vector<int>(c.pixels.size(), 7));
  for (const Pixel& p : c.pixels) EXPECT_EQ(picture.getPixel(p.first, p.second), Pen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineByPixelTest,
    ::testing::Values(
        LineCase{"flat", 0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        LineCase{"steep_leftwards", 10, 10, 8, 14, {{10, 10}, {10, 11}, {9, 12}, {9, 13}, {8, 14}}},
        LineCase{"upwards", 3, 4, 3, 1, {{3, 4}, {3, 3}, {3, 2}, {3, 1}}},
        LineCase{"exact_diagonal_runs_by_column", 5, 5, 2, 2, {{5, 5}, {4, 4}, {3, 3}, {2, 2}}},
        LineCase{"fractional_ends", 0.5, 0.4, 2.4, 0.6, {{1, 0}, {2, 1}}},
        LineCase{"equal_after_rounding", 10.4, 20.6, 10.4, 20.6, {}},
        LineCase{"off_picture_pixels_skipped", 0, 0, -2, 4, {{0, 0}, {0, 1}}},
        LineCase{"entirely_off_picture", -50, -50, -10, -3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineByPixelTest, RoundsThePenVariablesInPlace) {
  Surface picture(20, 20);
  double z1 = 10.4, x1 = 20.6, z2 = 10.4, x2 = 20.6;
  LineByPixel(picture, {}, Pen, 0, z1, x1, z2, x2);
  EXPECT_EQ(z1, 10);
  EXPECT_EQ(x1, 21);
  EXPECT_EQ(z2, 10);
  EXPECT_EQ(x2, 21);
  double a = 2.5, b = -0.5, c = 7.49, d = 3.5;
  LineByPixel(picture, {}, Pen, 0, a, b, c, d);
  EXPECT_EQ(a, 3);  // floor(v + 0.5): halves go up
  EXPECT_EQ(b, 0);
  EXPECT_EQ(c, 7);
  EXPECT_EQ(d, 4);
}

TEST(LineByPixelTest, HugeLineCostsOnlyItsVisiblePixels) {
  Surface picture;
  PixelRecorder recorder(picture);
  double z1 = -1e9, x1 = -1e9, z2 = 1e9, x2 = 1e9;
  LineByPixel(picture, recorder.hooks(), Pen, 0, z1, x1, z2, x2);
  std::set<Pixel> diagonal;
  for (int i = 0; i < picture.height(); ++i) diagonal.emplace(i, i);
  EXPECT_EQ(drawnPixels(picture), diagonal);
  EXPECT_EQ(recorder.refreshes, picture.height());
  EXPECT_EQ(z2, 1e9);
}

struct ArcCase {
  const char* name;
  bool clockwise;
  const char* start;
  const char* end;
  const char* startAfter;
  const char* endAfter;
  int pixelCount;  // refreshes: one per degree
  Pixel first, last;
};

void PrintTo(const ArcCase& c, std::ostream* os) {
  *os << c.name;
}

class ArcByPixelTest : public ::testing::TestWithParam<ArcCase> {};

// Centre (50, 50), radius 10.
TEST_P(ArcByPixelTest, OnePixelPerDegree) {
  const ArcCase& c = GetParam();
  Surface picture(100, 100);
  PixelRecorder recorder(picture);
  std::string start = c.start, end = c.end;
  ArcByPixel(picture, recorder.hooks(), 3, 50, 50, 10, c.clockwise, Pen, start, end);
  EXPECT_EQ(start, c.startAfter);
  EXPECT_EQ(end, c.endAfter);
  EXPECT_EQ(recorder.refreshes, c.pixelCount);
  EXPECT_EQ(recorder.waits, std::vector<int>(static_cast<std::size_t>(c.pixelCount), 3));
  ASSERT_FALSE(recorder.pixels.empty());
  EXPECT_EQ(recorder.pixels.front(), c.first);
  EXPECT_EQ(recorder.pixels.back(), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcByPixelTest,
    ::testing::Values(
        ArcCase{"clockwise_right_over_bottom_to_top",
                true,
                "90",
                "180",
                "450",
                "180",
                271,
                {60, 50},
                {50, 40}},
        ArcCase{"counter_clockwise_left_to_bottom",
                false,
                "270",
                "0",
                "270",
                "360",
                91,
                {40, 50},
                {50, 60}},
        ArcCase{"counter_clockwise_no_unwrap", false, "0", "90", "0", "90", 91, {50, 60}, {60, 50}},
        ArcCase{"equal_angles_one_pixel", false, "45", "45", "45", "45", 1, {57, 57}, {57, 57}},
        ArcCase{"empty_texts_full_turn", false, "", "", "0", "360", 361, {50, 60}, {49, 60}},
        ArcCase{"angles_rounded_ties_to_even",
                false,
                "0.5",
                "2.5",
                "0.5",
                "2.5",
                3,
                {50, 60},
                {50, 60}},
        ArcCase{"leading_blanks_ignored",
                false,
                " 90",
                "  180",
                " 90",
                "  180",
                91,
                {60, 50},
                {50, 40}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcByPixelTest, ClockwiseArcPassesBelowNotAbove) {
  Surface picture(100, 100);
  std::string start = "90", end = "180";
  ArcByPixel(picture, {}, 0, 50, 50, 10, true, Pen, start, end);
  EXPECT_EQ(picture.getPixel(50, 60), Pen);         // 0 degrees, below the centre
  EXPECT_EQ(picture.getPixel(40, 50), Pen);         // 270 degrees, left
  EXPECT_EQ(picture.getPixel(57, 43), ButtonFace);  // 135 degrees is not on this arc
}

TEST(ArcByPixelTest, LargeRadiusIsBridgedWithoutGaps) {
  Surface picture(300, 300);
  std::string start = "0", end = "90";
  ArcByPixel(picture, {}, 0, 100, 100, 150, false, Pen, start, end);
  // From below the centre to its right: every column from the centre to the right end and
  // every row from the centre down has a pixel of the arc.
  for (int column = 100; column <= 250; ++column) {
    bool found = false;
    for (int row = 100; row <= 251 && !found; ++row) found = picture.getPixel(column, row) == Pen;
    EXPECT_TRUE(found) << column;
  }
  for (int row = 100; row <= 250; ++row) {
    bool found = false;
    for (int column = 100; column <= 251 && !found; ++column) {
      found = picture.getPixel(column, row) == Pen;
    }
    EXPECT_TRUE(found) << row;
  }
}

TEST(ArcByPixelTest, HugeRadiusIsBoundedAndDrawsTheVisiblePart) {
  Surface picture;
  PixelRecorder recorder(picture);
  std::string start = "179", end = "181";
  ArcByPixel(picture, recorder.hooks(), 0, 351, 184 + 1e6, 1e6, false, Pen, start, end);
  EXPECT_EQ(recorder.refreshes, 3);
  EXPECT_EQ(picture.getPixel(351, 184), Pen);  // 180 degrees: straight above the centre
  // The bridges to the neighbouring degrees leave the top pixel on both sides.
  EXPECT_EQ(picture.getPixel(352, 184), Pen);
  EXPECT_EQ(picture.getPixel(350, 184), Pen);
}

TEST(ArcByPixelTest, RadiusBeyondSinglePrecisionDrawsNothingVisible) {
  Surface picture;
  PixelRecorder recorder(picture);
  std::string start = "0", end = "360";
  ArcByPixel(picture, recorder.hooks(), 0, 351, 184, 1e300, false, Pen, start, end);
  EXPECT_EQ(recorder.refreshes, 361);
  EXPECT_TRUE(drawnPixels(picture).empty());
}

TEST(ArcByPixelTest, EndlessAngleRangeStopsAfterOneTurn) {
  Surface picture(100, 100);
  PixelRecorder recorder(picture);
  std::string start = "0", end = "1E+15";
  ArcByPixel(picture, recorder.hooks(), 0, 50, 50, 10, false, Pen, start, end);
  EXPECT_EQ(recorder.refreshes, 361);
  EXPECT_EQ(picture.getPixel(50, 40), Pen);
}

}  // namespace
}  // namespace draivo
