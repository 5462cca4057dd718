#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "render/Geometry.h"

namespace draivo {
namespace {

TEST(ArcCosTest, KnownValues) {
  EXPECT_EQ(*ArcCos(1), 0.0);
  EXPECT_NEAR(*ArcCos(0), std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(*ArcCos(-0.5), 2 * std::numbers::pi / 3, 1e-15);
  EXPECT_NEAR(*ArcCos(0.5), std::numbers::pi / 3, 1e-15);
}

TEST(ArcCosTest, NoValueWhereTheFormulaFaults) {
  EXPECT_FALSE(ArcCos(-1).has_value());
  EXPECT_FALSE(ArcCos(1.0000001).has_value());
  EXPECT_FALSE(ArcCos(-3).has_value());
  EXPECT_FALSE(ArcCos(std::nan("")).has_value());
}

TEST(DistanceTest, PlainAndLarge) {
  EXPECT_DOUBLE_EQ(Distance(1, 2, 4, 6), 5);
  EXPECT_DOUBLE_EQ(Distance(4, 6, 1, 2), 5);
  EXPECT_TRUE(std::isinf(Distance(0, 0, 1e200, 1e200)));  // no trap, just no finite value
}

struct CentreCase {
  const char* name;
  double z1, x1, z2, x2, r;
  bool side;
  double centreZ, centreX;
};

void PrintTo(const CentreCase& c, std::ostream* os) {
  *os << c.name;
}

class ArcCentreTest : public ::testing::TestWithParam<CentreCase> {};

TEST_P(ArcCentreTest, GivesTheWholePixelCentre) {
  const CentreCase& c = GetParam();
  ArcResults results;
  results.ArcCentreZ = 77;  // left over from an earlier call
  results.ArcCentreX = 77;
  ArcCentre(results, c.z1, c.x1, c.z2, c.x2, c.r, c.side);
  EXPECT_EQ(results.ArcCentreZ, c.centreZ);
  EXPECT_EQ(results.ArcCentreX, c.centreX);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcCentreTest,
    ::testing::Values(
        CentreCase{"half_chord_radius_side_false", 0, 0, 10, 0, 5, false, 5, 0},
        CentreCase{"half_chord_radius_side_true", 0, 0, 10, 0, 5, true, 5, 0},
        CentreCase{"vertical_chord_side_false", 0, 0, 0, 10, 13, false, -12, 5},
        CentreCase{"vertical_chord_side_true", 0, 0, 0, 10, 13, true, 12, 5},
        CentreCase{"radius_too_small_gives_midpoint", 0, 0, 10, 4, 1, true, 5, 2},
        CentreCase{"equal_points_give_zero", 30, 40, 30, 40, 5, false, 0, 0},
        CentreCase{"three_decimals_first_rounds_up", 0, 0, 4.9992, 0, 0, false, 3, 0},
        CentreCase{"three_decimals_first_stays_down", 0, 0, 4.9988, 0, 0, false, 2, 0},
        CentreCase{"overflowing_radius_keeps_midpoint", 0, 0, 10, 0, 1e200, false, 5, 0}),
    [](const auto& info) { return std::string(info.param.name); });

double angle(const std::string& text) {
  return std::stod(text);
}

struct AngleCase {
  const char* name;
  double zs, xs;
  double expected;
  bool exact;  // written as a whole number
};

void PrintTo(const AngleCase& c, std::ostream* os) {
  *os << c.name;
}

class ArcAnglesTest : public ::testing::TestWithParam<AngleCase> {};

// Centre (100, 100), radius 10; the point is used both as start and as end.
TEST_P(ArcAnglesTest, AngleAroundTheCentre) {
  const AngleCase& c = GetParam();
  ArcResults results;
  ArcAngles(results, 100, 100, 10, c.zs, c.xs, c.zs, c.xs);
  EXPECT_NEAR(angle(results.ArcStartAngle), c.expected, 1e-5);
  EXPECT_EQ(results.ArcStartAngle, results.ArcEndAngle);
  if (c.exact) {
    EXPECT_EQ(results.ArcStartAngle, std::to_string(static_cast<int>(c.expected)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcAnglesTest,
    ::testing::Values(AngleCase{"right", 110, 100, 89.98302, false},
                      AngleCase{"below", 100, 110, 0, true},
                      AngleCase{"left", 90, 100, 270.01698, false},
                      AngleCase{"above", 100, 90, 180, true},
                      AngleCase{"lower_left_diagonal", 100 - 7.0710678, 100 + 7.0710678,
                                180 + 135 * std::numbers::pi / 3.141, false},
                      AngleCase{"above_off_in_fourth_decimal", 100.0004, 90, 180, true},
                      AngleCase{"below_off_in_fourth_decimal", 99.9996, 110, 0, true},
                      AngleCase{"at_the_centre_falls_back_below", 100, 100, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcAnglesTest, StartAndEndAreSeparate) {
  ArcResults results;
  ArcAngles(results, 100, 100, 10, 110, 100, 100, 110);
  EXPECT_NEAR(angle(results.ArcStartAngle), 89.98302, 1e-5);
  EXPECT_EQ(results.ArcEndAngle, "0");
}

TEST(AnglesFromReferenceTest, ReferenceAtTheCentreFallsBackToARightAngle) {
  // Every cosine division fails; the working cosine stays 0, i.e. a right angle.
  ArcResults results;
  AnglesFromReference(results, 100, 100, 100, 100, 110, 100, 90, 100);
  EXPECT_NEAR(angle(results.ArcStartAngle), 180 - 90 * std::numbers::pi / 3.141, 1e-9);
  EXPECT_NEAR(angle(results.ArcEndAngle), 180 + 90 * std::numbers::pi / 3.141, 1e-9);
}

}  // namespace
}  // namespace draivo
