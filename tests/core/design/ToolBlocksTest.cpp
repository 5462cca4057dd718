#include <gtest/gtest.h>

#include "DesignTestText.h"
#include "design/ProgramMarkers.h"
#include "design/ToolBlocks.h"

namespace draivo {
namespace {

using test::crlfLines;

const std::string StartLine(ProgramStartLine);

struct ToolCase {
  const char* name;
  ToolFields fields;
  bool designEmpty;
  std::string expected;
};

void PrintTo(const ToolCase& c, std::ostream* os) {
  *os << c.name;
}

ToolFields with(void (*change)(ToolFields&)) {
  ToolFields fields;
  change(fields);
  return fields;
}

class BuildToolTextTest : public ::testing::TestWithParam<ToolCase> {};

TEST_P(BuildToolTextTest, WritesTheBlocks) {
  EXPECT_EQ(BuildToolText(GetParam().fields, GetParam().designEmpty), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildToolTextTest,
    ::testing::Values(
        ToolCase{"DefaultsOnEmptyDesign", ToolFields{}, true,
                 crlfLines({StartLine, ":0000 ;", "G21 G40 G99 ;", "G00 X250 Z250 T0 ;", "T0101 ;",
                            "G50 S3000 ;", "G96 S200 M03 ;"})},
        ToolCase{"SecondToolRetreatsAndIgnoresUnits",
                 with([](ToolFields& f) { f.inch = true, f.feedPerMinute = true, f.tool = "02"; }),
                 false,
                 crlfLines({"G00 X250 Z250 T0 M09 ;", "M01 ;", "T0201 ;", "G50 S3000 ;",
                            "G96 S200 M03 ;"})},
        ToolCase{"InchAndFeedPerMinute",
                 with([](ToolFields& f) { f.inch = true, f.feedPerMinute = true; }), true,
                 crlfLines({StartLine, ":0000 ;", "G20 G40 G98 ;", "G00 X250 Z250 T0 ;", "T0101 ;",
                            "G50 S3000 ;", "G96 S200 M03 ;"})},
        ToolCase{"ToolAndOffsetCopiedAsText",
                 with([](ToolFields& f) { f.tool = "05", f.toolCorrection = "12"; }), false,
                 crlfLines({"G00 X250 Z250 T0 M09 ;", "M01 ;", "T0512 ;", "G50 S3000 ;",
                            "G96 S200 M03 ;"})},
        ToolCase{"LeadingZerosStayInTheToolWord", with([](ToolFields& f) { f.tool = "007"; }),
                 false,
                 crlfLines({"G00 X250 Z250 T0 M09 ;", "M01 ;", "T00701 ;", "G50 S3000 ;",
                            "G96 S200 M03 ;"})},
        ToolCase{"DescriptionLineAsTyped",
                 with([](ToolFields& f) { f.description = "Voordraaien (R0.8); links"; }), false,
                 crlfLines({"G00 X250 Z250 T0 M09 ;", "M01 ;", "(Voordraaien (R0.8); links) ;",
                            "T0101 ;", "G50 S3000 ;", "G96 S200 M03 ;"})},
        ToolCase{"NumbersWrittenInShortestForm", with([](ToolFields& f) {
                   f.maxTour = "03000", f.constantCutSpeed = false, f.cutSpeed = "2500.50",
                   f.clockwise = false;
                 }),
                 false,
                 crlfLines({"G00 X250 Z250 T0 M09 ;", "M01 ;", "T0101 ;", "G50 S3000 ;",
                            "G97 S2500.5 M04 ;"})}));

struct ValidCase {
  const char* text;
  FieldRange range;
  bool valid;
};

void PrintTo(const ValidCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" in " << c.range.low << ".." << c.range.high;
}

class NumberFieldValidTest : public ::testing::TestWithParam<ValidCase> {};

TEST_P(NumberFieldValidTest, ChecksTheRangeInclusive) {
  EXPECT_EQ(numberFieldValid(GetParam().text, GetParam().range), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, NumberFieldValidTest,
    ::testing::Values(
        ValidCase{"99", MaxTourRange, false}, ValidCase{"100", MaxTourRange, true},
        ValidCase{"5000", MaxTourRange, true}, ValidCase{"5001", MaxTourRange, false},
        ValidCase{"", MaxTourRange, false}, ValidCase{"600", CutSpeedRange, false},
        ValidCase{"500", CutSpeedRange, true}, ValidCase{"2", CutSpeedRange, true},
        ValidCase{"1.5", CutSpeedRange, false}, ValidCase{"700", SpindleSpeedRange, true},
        ValidCase{"9", SpindleSpeedRange, false}, ValidCase{"0", ToolNumberRange, false},
        ValidCase{"007", ToolNumberRange, true}, ValidCase{"100", ToolNumberRange, false}));

struct ToolNumberCase {
  const char* text;
  bool valid;
  const char* padded;
};

void PrintTo(const ToolNumberCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class ToolNumberTest : public ::testing::TestWithParam<ToolNumberCase> {};

TEST_P(ToolNumberTest, ValidatesAndPads) {
  EXPECT_EQ(toolNumberValid(GetParam().text), GetParam().valid);
  EXPECT_EQ(padToolNumber(GetParam().text), GetParam().padded);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ToolNumberTest,
    ::testing::Values(ToolNumberCase{"7", true, "07"}, ToolNumberCase{"07", true, "07"},
                      ToolNumberCase{"007", true, "007"}, ToolNumberCase{"12", true, "12"},
                      ToolNumberCase{"99", true, "99"}, ToolNumberCase{"100", false, "100"},
                      ToolNumberCase{"", false, ""}, ToolNumberCase{"1.5", false, "1.5"},
                      ToolNumberCase{"5.", false, "5."}));

}  // namespace
}  // namespace draivo
