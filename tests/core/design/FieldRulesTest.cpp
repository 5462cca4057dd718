#include <gtest/gtest.h>

#include "design/CycleFieldRules.h"
#include "design/FieldRules.h"

namespace draivo {
namespace {

struct ChangeCase {
  ChangeRule rule;
  const char* typed;
  const char* kept;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
  *os << (c.rule == ChangeRule::Signed ? "signed \"" : "unsigned \"") << c.typed << '"';
}

class ChangeRuleTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ChangeRuleTest, KeepsNumbersOnly) {
  EXPECT_EQ(applyChangeRule(GetParam().rule, GetParam().typed), GetParam().kept);
}

constexpr ChangeRule U = ChangeRule::Unsigned;
constexpr ChangeRule S = ChangeRule::Signed;

INSTANTIATE_TEST_SUITE_P(Texts, ChangeRuleTest,
                         ::testing::Values(ChangeCase{U, "12", "12"}, ChangeCase{U, "0.2", "0.2"},
                                           ChangeCase{U, "5.", "5."}, ChangeCase{U, "-", ""},
                                           ChangeCase{U, "-5", ""}, ChangeCase{U, ".", ""},
                                           ChangeCase{U, "1.2.3", ""}, ChangeCase{U, "12a", ""},
                                           ChangeCase{U, "1,5", ""}, ChangeCase{U, "1e3", ""},
                                           ChangeCase{U, " 5", ""}, ChangeCase{U, "", ""},
                                           ChangeCase{S, "-", "-"}, ChangeCase{S, "-3", "-3"},
                                           ChangeCase{S, "-0.5", "-0.5"}, ChangeCase{S, "-x", ""},
                                           ChangeCase{S, "--", ""}, ChangeCase{S, "-.", ""},
                                           ChangeCase{S, "3-", ""}, ChangeCase{S, "7", "7"}));

struct ValueCase {
  const char* text;
  double value;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class LeadingValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(LeadingValueTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(leadingValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingValueTest,
                         ::testing::Values(ValueCase{"", 0}, ValueCase{"-", 0},
                                           ValueCase{"-2.5", -2.5}, ValueCase{"007", 7},
                                           ValueCase{"5.", 5}, ValueCase{"12abc", 12},
                                           ValueCase{"3.1.4", 3.1}, ValueCase{"0.0", 0},
                                           ValueCase{"x5", 0}));

// Each case changes one field of a tab at X52 Z2, first cut X48 Z-30 (G94: X0 Z-1).
struct CycleValidCase {
  const char* name;
  SingleCycle cycle;
  CycleField field;
  const char* text;
  bool valid;
};

void PrintTo(const CycleValidCase& c, std::ostream* os) {
  *os << c.name;
}

CycleFields tab(SingleCycle cycle) {
  CycleFields f = DefaultCycleFields(cycle);
  f.startX = "52", f.startZ = "2";
  f.firstX = cycle == SingleCycle::G94 ? "0" : "48";
  f.firstZ = cycle == SingleCycle::G94 ? "-1" : "-30";
  return f;
}

class CycleFieldValidTest : public ::testing::TestWithParam<CycleValidCase> {};

TEST_P(CycleFieldValidTest, DecidesWhetherTheFieldMayBeLeft) {
  CycleFields f = tab(GetParam().cycle);
  fieldText(f, GetParam().field) = GetParam().text;
  EXPECT_EQ(CycleFieldValid(f, GetParam().field), GetParam().valid);
}

constexpr SingleCycle G90 = SingleCycle::G90;
constexpr SingleCycle G92 = SingleCycle::G92;
constexpr SingleCycle G94 = SingleCycle::G94;

INSTANTIATE_TEST_SUITE_P(
    Fields, CycleFieldValidTest,
    ::testing::Values(
        CycleValidCase{"StartXZero", G90, CycleField::StartX, "0", false},
        CycleValidCase{"StartXEmpty", G90, CycleField::StartX, "", false},
        CycleValidCase{"StartXPositive", G90, CycleField::StartX, "52", true},
        CycleValidCase{"StartZSign", G90, CycleField::StartZ, "-", false},
        CycleValidCase{"StartZEmpty", G94, CycleField::StartZ, "", false},
        CycleValidCase{"StartZNegative", G90, CycleField::StartZ, "-5", true},
        CycleValidCase{"TurningFirstXZero", G90, CycleField::FirstX, "0", false},
        CycleValidCase{"ThreadFirstXPositive", G92, CycleField::FirstX, "19.6", true},
        CycleValidCase{"FacingFirstXAboveStart", G94, CycleField::FirstX, "53", false},
        CycleValidCase{"FacingFirstXAtStart", G94, CycleField::FirstX, "52", true},
        CycleValidCase{"FacingFirstXNegative", G94, CycleField::FirstX, "-2", true},
        CycleValidCase{"FacingFirstXSignOnly", G94, CycleField::FirstX, "-", false},
        CycleValidCase{"FirstZAtStart", G90, CycleField::FirstZ, "2", false},
        CycleValidCase{"FirstZBelowStart", G90, CycleField::FirstZ, "1.9", true},
        CycleValidCase{"FirstZSign", G90, CycleField::FirstZ, "-", false},
        CycleValidCase{"TaperZero", G90, CycleField::Taper, "0", true},
        CycleValidCase{"TaperNegative", G90, CycleField::Taper, "-1", true},
        CycleValidCase{"TaperEmpty", G90, CycleField::Taper, "", false},
        CycleValidCase{"FeedZero", G90, CycleField::Feed, "0", false},
        CycleValidCase{"FeedSmall", G90, CycleField::Feed, "0.05", true},
        CycleValidCase{"TurningLastZero", G90, CycleField::LastCut, "0", true},
        CycleValidCase{"TurningLastEmpty", G92, CycleField::LastCut, "", false},
        CycleValidCase{"FacingLastAtFirst", G94, CycleField::LastCut, "-1", false},
        CycleValidCase{"FacingLastBelowFirst", G94, CycleField::LastCut, "-3", true},
        CycleValidCase{"FacingLastSign", G94, CycleField::LastCut, "-", false},
        CycleValidCase{"StepZero", G90, CycleField::Step, "0", false},
        CycleValidCase{"StepEmpty", G94, CycleField::Step, "", false},
        CycleValidCase{"StepTenth", G94, CycleField::Step, "0.1", true},
        // Upper limits: values the number writer would give in exponent form
        // ("X7E+19") are refused like other bad values.
        CycleValidCase{"StartXAtLimit", G90, CycleField::StartX, "10000", true},
        CycleValidCase{"StartXAboveLimit", G90, CycleField::StartX, "10000.1", false},
        CycleValidCase{"StartZFarBelow", G94, CycleField::StartZ, "-10001", false},
        CycleValidCase{"FirstXHuge", G92, CycleField::FirstX, "70000000000000000000", false},
        CycleValidCase{"FacingFirstXFarBelow", G94, CycleField::FirstX, "-10001", false},
        CycleValidCase{"FirstZFarBelow", G90, CycleField::FirstZ, "-20000", false},
        CycleValidCase{"TaperHuge", G90, CycleField::Taper, "-99999", false},
        CycleValidCase{"LastCutHuge", G92, CycleField::LastCut, "1000000", false},
        CycleValidCase{"StepHuge", G90, CycleField::Step, "10000000000000000000", false},
        CycleValidCase{"FeedPerMinute", G90, CycleField::Feed, "10000", true},
        CycleValidCase{"FeedTooFast", G90, CycleField::Feed, "10000.5", false},
        CycleValidCase{"SixDecimals", G90, CycleField::Feed, "0.000001", true},
        CycleValidCase{"SevenDecimals", G94, CycleField::Step, "0.0000001", false},
        CycleValidCase{"TrailingZerosDoNotCount", G90, CycleField::Feed, "0.200000000", true}));

TEST(CycleChangeRuleTest, SignedWhereNegativeValuesBelong) {
  EXPECT_EQ(CycleChangeRule(G90, CycleField::FirstX), ChangeRule::Unsigned);
  EXPECT_EQ(CycleChangeRule(G94, CycleField::FirstX), ChangeRule::Signed);
  EXPECT_EQ(CycleChangeRule(G92, CycleField::LastCut), ChangeRule::Unsigned);
  EXPECT_EQ(CycleChangeRule(G94, CycleField::LastCut), ChangeRule::Signed);
  EXPECT_EQ(CycleChangeRule(G90, CycleField::StartZ), ChangeRule::Signed);
  EXPECT_EQ(CycleChangeRule(G90, CycleField::Taper), ChangeRule::Signed);
  EXPECT_EQ(CycleChangeRule(G94, CycleField::StartX), ChangeRule::Unsigned);
  EXPECT_EQ(CycleChangeRule(G94, CycleField::Step), ChangeRule::Unsigned);
}

}  // namespace
}  // namespace draivo
