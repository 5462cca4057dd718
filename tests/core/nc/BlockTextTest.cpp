#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "nc/BlockText.h"

namespace draivo {
namespace {

// Most line forms are golden cases (normalise_lines); these are not seen in a trace.
TEST(NormaliseBlock, GivesTheBlockForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"n10g1x20.z-5.f.2;", "N10 G01 X20 Z-5 F.2 ;"},
      {":0012", ":0012"},                // program number: as written
      {"M98 P1234", "M98 P1234;"},       // the blank before ";" goes
      {"M98 P21234 ;", "M98 P21234 ;"},  // five digits: the blank is past p+5
      {"m98 p12 34 ;", "M98 P1234;"},
  };
  for (const auto& [line, block] : cases) EXPECT_EQ(NormaliseBlock(line), block) << line;
  EXPECT_EQ(CleanBlock("g02 x 12,5 z-3 r5 ;"), "G02 X12.5 Z-3 R5 ;");
}

// The number after a word's letter, up to the next blank and never the block's last
// character; a text that is no number reads 0.
TEST(ReadWordValue, ReadsValueAndLength) {
  const struct {
    const char* block;
    char letter;
    double scale, value;
    int length;
  } cases[] = {
      {"G01 X-0.5 ;", 'X', 1, -0.5, 4},
      {"G01 X20 Z-5 F0.2 ;", 'F', 1, 0.2, 3},
      {"G01 X2,5 ;", 'X', 1, 2.5, 3},  // "," reads as the point
      {"G01 X2 ,5 ;", 'X', 1, 2, 1},
      {"G01 X40 ;", 'X', 3.4, 136, 3},  // scaled: value and its text
      {"G01 X20 ;", 'Z', 1, 0, 3},      // absent: "G01" is no number
      {"G01 XAB ;", 'X', 1, 0, 2},
      {"G01 X ;", 'X', 1, 0, 0},
      {"M98 P1234;", 'P', 1, 1234, 4},  // the ";" is never taken
      {"G01 X55", 'X', 1, 5, 1},        // no ";": the last character is lost
      {"X", 'X', 1, 0, 0},
      {"G01 X1.2.3 ;", 'X', 1, 0, 5},
      {"G01 X- ;", 'X', 1, 0, 1},
      {"G01 X. ;", 'X', 1, 0, 1},
      {"G01 X-. ;", 'X', 1, 0, 2},
      {"G01 X+5 ;", 'X', 1, 5, 2},
      {"G01 X1E+05 ;", 'X', 1, 1e5, 5},
      {"G01 X1E+5 ;", 'X', 1, 1e5, 4},
      {"G01 X2.5e-1 ;", 'X', 1, 0.25, 6},
      {"G01 X1E ;", 'X', 1, 0, 2},
      {"G01 X1E+ ;", 'X', 1, 0, 3},
      {"G01 XE5 ;", 'X', 1, 0, 2},
      {"G01 X1E308 ;", 'X', 10, 0, 0},  // the scaled value overflows
      {"G01 X1E300 ;", 'X', 1, 1e300, 5},
  };
  for (const auto& c : cases) {
    const auto position = findLetter(c.block, c.letter);
    EXPECT_DOUBLE_EQ(ReadWordValue(c.block, position, c.scale), c.value) << c.block;
    EXPECT_EQ(WordTextLength(c.block, position, c.scale), c.length) << c.block;
    EXPECT_EQ(readWord(c.block, position).valid, c.value != 0 || c.scale != 1) << c.block;
  }
  EXPECT_EQ(ReadWordValue("G01 X" + std::string(400, '9') + " ;", 5), 0.0);
  EXPECT_EQ(findText("N10 G71 U2 ;", "G71"), 5u);
}

// Word values are the numbers strtod reads, to the last bit, for texts of any length.
TEST(ReadWordValue, ValuesAreTheNumbersStrtodReads) {
  std::mt19937 random(1206);
  for (int round = 0; round < 50000; ++round) {
    std::string number = random() % 3 == 0 ? "-" : "";
    const std::size_t whole = random() % 22, fraction = random() % 22;
    for (std::size_t i = 0; i < whole; ++i) number += static_cast<char>('0' + random() % 10);
    if (fraction > 0 || whole == 0) number += '.';
    for (std::size_t i = 0; i < fraction || (whole == 0 && i == 0); ++i) {
      number += static_cast<char>('0' + random() % 10);
    }
    if (random() % 4 == 0) number += "E" + std::to_string(static_cast<int>(random() % 700) - 350);
    const double expected = std::strtod(number.c_str(), nullptr);
    ASSERT_EQ(ReadWordValue("X" + number + " ;", 1), std::isfinite(expected) ? expected + 0.0 : 0.0)
        << number;
  }
}

}  // namespace
}  // namespace draivo
