#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DesignTestText.h"
#include "design/CycleBlocks.h"

namespace draivo {
namespace {

using test::crlfLines;

// A G90 tab at X52 Z2 cutting to Z-30 with feed 0.2, unless the case says otherwise.
CycleFields turning(const char* firstX, const char* lastCut, const char* step) {
  CycleFields f = DefaultCycleFields(SingleCycle::G90);
  f.startX = "52", f.startZ = "2", f.firstX = firstX, f.firstZ = "-30", f.lastCut = lastCut,
  f.step = step;
  return f;
}

CycleFields facing() {
  CycleFields f = DefaultCycleFields(SingleCycle::G94);
  f.startX = "52", f.startZ = "2", f.firstX = "0", f.firstZ = "-1", f.feed = "0.15",
  f.lastCut = "-3";
  return f;
}

template <typename Change>
CycleFields with(CycleFields f, Change change) {
  change(f);
  return f;
}

struct CycleCase {
  const char* name;
  CycleFields fields;
  std::string expected;
};

void PrintTo(const CycleCase& c, std::ostream* os) {
  *os << c.name;
}

class BuildCycleTextTest : public ::testing::TestWithParam<CycleCase> {};

TEST_P(BuildCycleTextTest, WritesTheBlocks) {
  const CycleText result = BuildCycleText(GetParam().fields);
  EXPECT_EQ(result.status, PlanStatus::Ok);
  EXPECT_EQ(result.text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildCycleTextTest,
    ::testing::Values(
        CycleCase{"TurningExampleWithCoolant",
                  with(turning("48", "40", "3"), [](CycleFields& f) { f.coolant = true; }),
                  crlfLines({"G00 X52 Z2 M08 ;", "G90 X48 Z-30 F0.2 ;", "X45 ;", "X42 ;", "X40 ;",
                             "G00 X52 Z2 ;"})},
        CycleCase{
            "FacingExampleReachesLastInsideLoop", facing(),
            crlfLines({"G00 X52 Z2 ;", "G94 X0 Z-1 F0.15 ;", "Z-2 ;", "Z-3 ;", "G00 X52 Z2 ;"})},
        CycleCase{"TaperZeroWritesNoR",
                  with(turning("48", "48", "3"), [](CycleFields& f) { f.taper = "0"; }),
                  crlfLines({"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "X48 ;", "G00 X52 Z2 ;"})},
        CycleCase{"TaperZeroWithDecimalsWritesNoR",
                  with(turning("48", "48", "3"), [](CycleFields& f) { f.taper = "0.0"; }),
                  crlfLines({"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "X48 ;", "G00 X52 Z2 ;"})},
        CycleCase{
            "NegativeTaperWrittenAsTyped",
            with(turning("48", "48", "3"), [](CycleFields& f) { f.taper = "-1.50"; }),
            crlfLines({"G00 X52 Z2 ;", "G90 X48 Z-30 R-1.50 F0.2 ;", "X48 ;", "G00 X52 Z2 ;"})},
        CycleCase{"DecimalStepsReachTheLastCutOnce",
                  with(turning("19.6", "19", "0.2"),
                       [](CycleFields& f) {
                         f.cycle = SingleCycle::G92, f.firstZ = "-20", f.feed = "1.5";
                       }),
                  crlfLines({"G00 X52 Z2 ;", "G92 X19.6 Z-20 F1.5 ;", "X19.4 ;", "X19.2 ;", "X19 ;",
                             "G00 X52 Z2 ;"})},
        CycleCase{"DecimalStepsGoingUpRepeatTheLastCut", turning("0", "0.3", "0.1"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X0 Z-30 F0.2 ;", "X0.1 ;", "X0.2 ;", "X0.3 ;",
                             "X0.3 ;", "G00 X52 Z2 ;"})},
        CycleCase{"LastLessThanOneStepBelowGivesOnlyFinalCut", turning("48", "46", "3"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "X46 ;", "G00 X52 Z2 ;"})},
        CycleCase{"LastExactlyOneStepBelowGivesNoFinalCut", turning("48", "45", "3"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "X45 ;", "G00 X52 Z2 ;"})},
        CycleCase{"DownFrom50To41", turning("50", "41", "3"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X50 Z-30 F0.2 ;", "X47 ;", "X44 ;", "X41 ;",
                             "G00 X52 Z2 ;"})},
        CycleCase{"GoingUpRepeatsTheLastLoopCut", turning("40", "46", "3"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X40 Z-30 F0.2 ;", "X43 ;", "X46 ;", "X46 ;",
                             "G00 X52 Z2 ;"})},
        CycleCase{
            "GoingUpWritesTheFinalCutOnce", turning("40", "45", "3"),
            crlfLines({"G00 X52 Z2 ;", "G90 X40 Z-30 F0.2 ;", "X43 ;", "X45 ;", "G00 X52 Z2 ;"})},
        CycleCase{"TenthStepsAbsorbedBy15Digits", turning("0.3", "0", "0.1"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X0.3 Z-30 F0.2 ;", "X0.2 ;", "X0.1 ;", "X0 ;",
                             "G00 X52 Z2 ;"})},
        CycleCase{"HalfStepsWrittenWithDecimals", turning("46", "44", "0.5"),
                  crlfLines({"G00 X52 Z2 ;", "G90 X46 Z-30 F0.2 ;", "X45.5 ;", "X45 ;", "X44.5 ;",
                             "X44 ;", "G00 X52 Z2 ;"})},
        CycleCase{"FacingAlwaysGoesDown", with(facing(), [](CycleFields& f) { f.lastCut = "1.5"; }),
                  crlfLines({"G00 X52 Z2 ;", "G94 X0 Z-1 F0.15 ;", "G00 X52 Z2 ;"})},
        CycleCase{"UntouchedDefaultsAreWrittenAsTheyStand", DefaultCycleFields(SingleCycle::G90),
                  crlfLines({"G00 X0 Z0 ;", "G90 X0 Z0 F0.2 ;", "X0 ;", "G00 X0 Z0 ;"})}));

TEST(PlanFurtherCutsTest, FirstHundredLastEightyGoesDownTo82) {
  const CutPlan plan = PlanFurtherCuts(turning("100", "80", "3"));
  ASSERT_EQ(plan.cuts.size(), 6u);
  EXPECT_DOUBLE_EQ(plan.cuts.front(), 97);
  EXPECT_DOUBLE_EQ(plan.cuts.back(), 82);
  EXPECT_TRUE(plan.finalCut);
}

struct RefusedCase {
  const char* name;
  double first, last, step;
  bool down;
  PlanStatus status;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
  *os << c.name;
}

class RefusedPlanTest : public ::testing::TestWithParam<RefusedCase> {};

// These inputs never pass the dialog's fields, but the builder must still end.
TEST_P(RefusedPlanTest, EndsWithoutCuts) {
  const RefusedCase& c = GetParam();
  const CutPlan plan = PlanFurtherCuts(c.first, c.last, c.step, c.down);
  EXPECT_EQ(plan.status, c.status);
  EXPECT_TRUE(plan.cuts.empty());
  EXPECT_FALSE(plan.finalCut);
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedPlanTest,
    ::testing::Values(
        RefusedCase{"ZeroStepDown", 48, 40, 0, true, PlanStatus::InvalidStep},
        RefusedCase{"ZeroStepUp", 40, 48, 0, false, PlanStatus::InvalidStep},
        RefusedCase{"NegativeStepDown", 48, 40, -3, true, PlanStatus::InvalidStep},
        RefusedCase{"NegativeStepUp", 40, 48, -3, false, PlanStatus::InvalidStep},
        RefusedCase{"NotANumberStep", 48, 40, std::nan(""), true, PlanStatus::InvalidStep},
        RefusedCase{"InfiniteLast", 48, -Infinity, 1, true, PlanStatus::InvalidStep},
        RefusedCase{"TinyStep", 48, 0, 1e-6, true, PlanStatus::TooManyCuts},
        RefusedCase{"StepLostInHugeFirst", 1e20, 0, 1, true, PlanStatus::TooManyCuts},
        RefusedCase{"StepLostGoingUp", 1e20, 2e20, 1, false, PlanStatus::TooManyCuts}));

TEST(PlanFurtherCutsTest, AllowsExactlyTheMaximumNumberOfCuts) {
  const double steps = static_cast<double>(MaxFurtherCuts);
  EXPECT_EQ(PlanFurtherCuts(steps, 0, 1, true).cuts.size(), MaxFurtherCuts);
  EXPECT_EQ(PlanFurtherCuts(steps + 1, 0, 1, true).status, PlanStatus::TooManyCuts);
}

TEST(BuildCycleTextTest, RefusedPlanWritesNothing) {
  const CycleText zeroStep = BuildCycleText(turning("48", "40", "0"));
  EXPECT_EQ(zeroStep.status, PlanStatus::InvalidStep);
  EXPECT_TRUE(zeroStep.text.empty());
  const CycleText negativeStep =
      BuildCycleText(with(facing(), [](CycleFields& f) { f.step = "-1"; }));
  EXPECT_EQ(negativeStep.status, PlanStatus::InvalidStep);
  EXPECT_TRUE(negativeStep.text.empty());
}

}  // namespace
}  // namespace draivo
