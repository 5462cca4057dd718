#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "design/ProgramMarkers.h"
#include "editor/LineRules.h"

namespace draivo {
namespace {

struct LineCase {
  std::string name;
  std::string line;
  std::string expected;
};

void PrintTo(const LineCase& c, std::ostream* out) {
  *out << c.name << ": \"" << c.line << "\"";
}

std::string caseName(const testing::TestParamInfo<LineCase>& info) {
  return info.param.name;
}

class SpreadLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(SpreadLineTest, PutsBlanksBeforeLettersAndEndsTheBlock) {
  EXPECT_EQ(SpreadLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SpreadLineTest,
    testing::Values(LineCase{"Packed", "N10G00X50Z2", "N10 G00 X50 Z2 ;"},
                    LineCase{"KeepsDecimalsAndSigns", "G01X-10.5F.2;", "G01 X-10.5 F.2 ;"},
                    LineCase{"AlreadySpread", "G01 X10 ;", "G01 X10 ;"},
                    LineCase{"Comment", "(VOORBEWERKEN)", "(VOORBEWERKEN) ;"},
                    LineCase{"CommentKeepsItsBlanks", "G00 (zet X10.)", "G00 (zet X10.) ;"},
                    LineCase{"ProgramNumber", ":0000", ":0000 ;"},
                    LineCase{"PlusSign", "X+5", "X +5 ;"},
                    LineCase{"PointBeforeLetterDropped", "G1 X10.Z5", "G1 X10 Z5 ;"},
                    LineCase{"PointAtEndDropped", "X10.", "X10 ;"},
                    LineCase{"LowerCaseLetters", "g1x5", "g1 x5 ;"},
                    LineCase{"FirstCharacterKeptEvenWhenBlank", " X5", "  X5 ;"},
                    LineCase{"TrailingBlankBeforeSemicolon", "X5 ;", "X5 ;"},
                    LineCase{"PercentLineNotTerminated", "%", "%"},
                    LineCase{"EmptyLineStaysEmpty", "", ""}, LineCase{"OnlyBlanks", "   ", " ;"},
                    LineCase{"MultiByteCharacterStaysWhole", "X5\u03A91", "X5 \u03A91 ;"}),
    caseName);

class NumberLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(NumberLineTest, NumbersLineFiveAsN15) {
  EXPECT_EQ(NumberLine(GetParam().line, 5), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NumberLineTest,
    testing::Values(LineCase{"Plain", "G00 X10 ;", "N15 G00 X10 ;"},
                    LineCase{"AlreadyNumberedKeepsItsNumber", "N99 G00 ;", "N99 G00 ;"},
                    LineCase{"LowerCaseNCountsAsUnnumbered", "n5 G00", "N15 n5 G00"},
                    LineCase{"Empty", "", "N15 "}, LineCase{"Comment", "(RUW)", "N15 (RUW)"}),
    caseName);

class UnnumberLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(UnnumberLineTest, DropsTheNumberWord) {
  EXPECT_EQ(UnnumberLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, UnnumberLineTest,
                         testing::Values(LineCase{"Numbered", "N15 G01 X20 ;", "G01 X20 ;"},
                                         LineCase{"NoBlankStays", "N5G00", "N5G00"},
                                         LineCase{"Unnumbered", "G01 X20 ;", "G01 X20 ;"},
                                         LineCase{"LowerCaseStays", "n5 G00", "n5 G00"},
                                         LineCase{"NumberOnly", "N5 ", ""}),
                         caseName);

struct RewriteCase {
  std::string name;
  TextCommand command;
  std::vector<std::string> lines;
  std::vector<std::string> expected;
};

void PrintTo(const RewriteCase& c, std::ostream* out) {
  *out << c.name;
}

const std::string Start(ProgramStartLine);
const std::string End(ProgramEndMarker);

class RewriteLinesTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteLinesTest, RewritesEveryLineBetweenTheMarkers) {
  const auto result = RewriteLines(GetParam().command, GetParam().lines);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(*result, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RewriteLinesTest,
    testing::Values(
        RewriteCase{"NumbersFromLineThree",
                    TextCommand::AddLineNumbers,
                    {"%", ":0001 ;", "G00 X10 ;", "G01 Z5 ;", "M30 ;", "%"},
                    {Start, ":0001 ;", "N5 G00 X10 ;", "N10 G01 Z5 ;", "N15 M30 ;", End}},
        RewriteCase{"NumberedLinesLeaveGaps",
                    TextCommand::AddLineNumbers,
                    {"%", ":0001 ;", "N1 G00 ;", "G01 Z5 ;", "%"},
                    {Start, ":0001 ;", "N1 G00 ;", "N10 G01 Z5 ;", End}},
        RewriteCase{"NumberingTwiceChangesNothing",
                    TextCommand::AddLineNumbers,
                    {Start, ":0001 ;", "N5 G00 X10 ;", "N10 G01 Z5 ;", End},
                    {Start, ":0001 ;", "N5 G00 X10 ;", "N10 G01 Z5 ;", End}},
        RewriteCase{"TwoLinesBecomeTheMarkers",
                    TextCommand::AddLineNumbers,
                    {"G00 X1 ;", "G00 X2 ;"},
                    {Start, End}},
        RewriteCase{"OneLineBecomesTheEndMarker", TextCommand::SpreadWords, {"G0X1"}, {End}},
        RewriteCase{"EmptyTextStaysEmpty", TextCommand::AddLineNumbers, {}, {}},
        RewriteCase{"FirstRealBlockIsReplaced",
                    TextCommand::RemoveLineNumbers,
                    {"N5 G00 X1 ;", ":0002 ;", "N10 G01 X2 ;", "N15 M30 ;"},
                    {Start, ":0002 ;", "G01 X2 ;", End}},
        RewriteCase{"RemoveKeepsProgramNumberLine",
                    TextCommand::RemoveLineNumbers,
                    {"%", "N2 :0002 ;", "N5G00", "N10 G01 ;", "%"},
                    {Start, "N2 :0002 ;", "N5G00", "G01 ;", End}},
        RewriteCase{"SpreadTouchesLineTwo",
                    TextCommand::SpreadWords,
                    {"%", ":0000", "N10G00X50Z2", "", "(VOORBEWERKEN)", "%"},
                    {Start, ":0000 ;", "N10 G00 X50 Z2 ;", "", "(VOORBEWERKEN) ;", End}}),
    [](const testing::TestParamInfo<RewriteCase>& info) { return info.param.name; });

std::vector<std::string> unnumberedProgram(std::size_t lineCount) {
  return std::vector<std::string>(lineCount, "G01 X1 ;");
}

TEST(RewriteLinesLimit, LastNumberThatFitsIsN32765OnLine6555) {
  // Line 6556 is the last line and becomes the end marker, so it needs no number.
  const auto result = RewriteLines(TextCommand::AddLineNumbers, unnumberedProgram(6556));
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ((*result)[6554], "N32765 G01 X1 ;");
  EXPECT_EQ(result->back(), End);
}

TEST(RewriteLinesLimit, NumberAbove16BitsRefusesTheWholeText) {
  EXPECT_FALSE(RewriteLines(TextCommand::AddLineNumbers, unnumberedProgram(6557)).has_value());
}

TEST(RewriteLinesLimit, AlreadyNumberedLinesBeyondTheLimitNeedNoNumber) {
  auto lines = unnumberedProgram(40000);
  for (std::size_t i = 6555; i < lines.size(); ++i) lines[i] = "N1 G01 ;";
  const auto result = RewriteLines(TextCommand::AddLineNumbers, lines);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ((*result)[6554], "N32765 G01 X1 ;");
  EXPECT_EQ((*result)[39000], "N1 G01 ;");
}

TEST(RewriteLinesLimit, SpreadingAndRemovingHaveNoLineLimit) {
  const auto lines = std::vector<std::string>(40000, "N123 G1X1");
  const auto spread = RewriteLines(TextCommand::SpreadWords, lines);
  const auto removed = RewriteLines(TextCommand::RemoveLineNumbers, lines);
  ASSERT_TRUE(spread.has_value() && removed.has_value());
  EXPECT_EQ((*spread)[39998], "N123 G1 X1 ;");
  EXPECT_EQ((*removed)[39998], "G1X1");
}

}  // namespace
}  // namespace draivo
