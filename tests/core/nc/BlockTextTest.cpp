#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "nc/BlockText.h"

namespace draivo {
namespace {

struct NormaliseCase {
  const char* line;
  const char* block;
};

void PrintTo(const NormaliseCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class NormaliseBlockTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseBlockTest, GivesTheBlockForm) {
  EXPECT_EQ(NormaliseBlock(GetParam().line), GetParam().block);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NormaliseBlockTest,
    ::testing::Values(
        NormaliseCase{"n10g1x20.z-5.f.2;", "N10 G01 X20 Z-5 F.2 ;"},
        NormaliseCase{"N10 G00 X10 ;", "N10 G00 X10 ;"},
        NormaliseCase{":0012", ":0012"},                       // program number: as written
        NormaliseCase{":0012 ;", ":0012 ;"},
        NormaliseCase{"(CLS)", "(CLS) ;"},                     // comment copied, end mark added
        NormaliseCase{"(cls) ;", "(CLS) ;"},
        NormaliseCase{"(A  B,C.) ", "(A  B,C.) ;"},            // blanks of a comment stay
        NormaliseCase{"G0 X10", "G00 X10 ;"},
        NormaliseCase{"G2X1", "G02 X1 ;"},
        NormaliseCase{"M8", "M08 ;"},
        NormaliseCase{"M3 S800", "M03 S800 ;"},
        NormaliseCase{"G1 X5 G1 Z5", "G01 X5 G1 Z5 ;"},        // only the first G word
        NormaliseCase{"G12 X5", "G12 X5 ;"},
        NormaliseCase{"M98 P1234", "M98 P1234;"},              // the blank before ";" goes
        NormaliseCase{"M98 P21234 ;", "M98 P21234 ;"},     // five digits: the blank is past p+5
        NormaliseCase{"M30", "M30 ;"},
        NormaliseCase{"M99", "M99 ;"},
        NormaliseCase{"X2,5", "X2 ,5 ;"},                      // "," is a sign like a letter
        NormaliseCase{"%", "%"},                               // no end mark after "%"
        NormaliseCase{"X20.", "X20 ;"},
        NormaliseCase{"G01 X-.5", "G01 X-.5 ;"},
        NormaliseCase{"G04 U500;", "G04 U500 ;"},
        NormaliseCase{"g00x40z2", "G00 X40 Z2 ;"},
        // a character of several UTF-8 bytes is one sign: its bytes stay together
        NormaliseCase{"x\u00B02", "X \u00B02 ;"},
        NormaliseCase{"\u00E91 \u4E2Dz", "\u00E91 \u4E2D Z ;"}));

struct WordCase {
  const char* block;
  char letter;
  double scale;
  double value;
  int length;
};

void PrintTo(const WordCase& c, std::ostream* os) { *os << '"' << c.block << "\" " << c.letter; }

class WordReadTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordReadTest, ReadsValueAndLength) {
  const auto& c = GetParam();
  const auto position = findLetter(c.block, c.letter);
  EXPECT_DOUBLE_EQ(ReadWordValue(c.block, position, c.scale), c.value);
  EXPECT_EQ(WordTextLength(c.block, position, c.scale), c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Words, WordReadTest,
    ::testing::Values(
        WordCase{"G01 X-0.5 ;", 'X', 1.0, -0.5, 4},
        WordCase{"G01 X20 ;", 'X', 1.0, 20.0, 2},
        WordCase{"G01 X20 Z-5 F0.2 ;", 'F', 1.0, 0.2, 3},      // last word, up to the blank
        WordCase{"G01 X2,5 ;", 'X', 1.0, 2.5, 3},             // "," reads as the point
        WordCase{"G01 X2 ,5 ;", 'X', 1.0, 2.0, 1},
        WordCase{"G01 X40 ;", 'X', 3.4, 136.0, 3},            // scaled: value and its text
        WordCase{"G01 X20 ;", 'Z', 1.0, 0.0, 3},              // absent: "G01" is no number
        WordCase{"G01 XAB ;", 'X', 1.0, 0.0, 2},              // not a number
        WordCase{"G01 X ;", 'X', 1.0, 0.0, 0},
        WordCase{"M98 P1234;", 'P', 1.0, 1234.0, 4},          // the ";" is never taken
        WordCase{"G01 X55", 'X', 1.0, 5.0, 1},                // no ";": last character lost
        WordCase{"X", 'X', 1.0, 0.0, 0},
        WordCase{"G01 X1.2.3 ;", 'X', 1.0, 0.0, 5},
        WordCase{"G01 X-- ;", 'X', 1.0, 0.0, 2}));

TEST(WordReadTest, ReportsWhetherTheTextIsANumber) {
  EXPECT_TRUE(readWord("G01 X12.5 ;", 5).valid);
  const auto bad = readWord("G01 X1Q ;", 5);
  EXPECT_FALSE(bad.valid);
  EXPECT_EQ(bad.text, "1Q");
  EXPECT_EQ(bad.value, 0.0);
}

TEST(WordReadTest, OverflowReadsAsZero) {
  const std::string huge = "G01 X" + std::string(400, '9') + " ;";
  EXPECT_EQ(ReadWordValue(huge, 5), 0.0);
  EXPECT_FALSE(readWord(huge, 5).valid);
  EXPECT_EQ(ReadWordValue("G01 X1E308 ;", 5, 10.0), 0.0);  // the scaled value overflows
  EXPECT_DOUBLE_EQ(ReadWordValue("G01 X1E300 ;", 5), 1e300);
}

// Word values are the numbers strtod reads, to the last bit, for texts of any length.
TEST(WordReadTest, ValuesAreTheNumbersStrtodReads) {
  std::mt19937 random(1206);
  const std::string digits = "0123456789";
  for (int round = 0; round < 50000; ++round) {
    std::string number = random() % 3 == 0 ? "-" : "";
    const std::size_t whole = random() % 22, fraction = random() % 22;
    for (std::size_t i = 0; i < whole; ++i) number += digits[random() % 10];
    if (fraction > 0 || whole == 0) number += '.';
    for (std::size_t i = 0; i < fraction || (whole == 0 && i == 0); ++i) {
      number += digits[random() % 10];
    }
    if (random() % 4 == 0) number += "E" + std::to_string(static_cast<int>(random() % 700) - 350);
    const double expected = std::strtod(number.c_str(), nullptr);
    const double read = ReadWordValue("X" + number + " ;", 1);
    ASSERT_EQ(read, std::isfinite(expected) ? expected + 0.0 : 0.0) << number;
  }
}

TEST(CleanBlockTest, JoinsAndNormalises) {
  EXPECT_EQ(CleanBlock("g02 x 12,5 z-3 r5 ;"), "G02 X12.5 Z-3 R5 ;");
  EXPECT_EQ(CleanBlock("G03 X40 Z-20 I0 K-5 ;"), "G03 X40 Z-20 I0 K-5 ;");
}

TEST(FindTextTest, PositionsAreOneBased) {
  EXPECT_EQ(findLetter("G50 S2000 ;", 'S'), 5u);
  EXPECT_EQ(findLetter("G50 S2000 ;", 'Q'), 0u);
  EXPECT_EQ(findText("N10 G71 U2 ;", "G71"), 5u);
}

}  // namespace
}  // namespace draivo
