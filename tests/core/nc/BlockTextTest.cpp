#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "nc/BlockText.h"
#include "support/ScriptedHost.h"

namespace draivo {
namespace {

TEST(NormaliseBlock, GivesTheBlockForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"n10g1x20.z-5.f.2;", "N10 G01 X20 Z-5 F.2 ;"},
      {"N10 G00 X10 ;", "N10 G00 X10 ;"},
      {":0012", ":0012"},  // program number: as written
      {":0012 ;", ":0012 ;"},
      {"(CLS)", "(CLS) ;"},  // comment copied, end mark added
      {"(cls) ;", "(CLS) ;"},
      {"(A  B,C.) ", "(A  B,C.) ;"},
      {"G0 X10", "G00 X10 ;"},
      {"G2X1", "G02 X1 ;"},
      {"M8", "M08 ;"},
      {"M3 S800", "M03 S800 ;"},
      {"G1 X5 G1 Z5", "G01 X5 G1 Z5 ;"},  // only the first G word
      {"G12 X5", "G12 X5 ;"},
      {"M98 P1234", "M98 P1234;"},      // the blank before ";" goes
      {"M98 P21234 ;", "M98 P21234 ;"},  // five digits: the blank is past p+5
      {"M30", "M30 ;"},
      {"M99", "M99 ;"},
      {"X2,5", "X2 ,5 ;"},  // "," is a sign like a letter
      {"%", "%"},
      {"X20.", "X20 ;"},
      {"G01 X-.5", "G01 X-.5 ;"},
      {"G04 U500;", "G04 U500 ;"},
      {"x1e+5", "X1 E +5 ;"},
      // a character of several UTF-8 bytes is one sign: its bytes stay together
      {"x\u00B02", "X \u00B02 ;"},
      {"\u00E91 \u4E2Dz", "\u00E91 \u4E2D Z ;"},
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

TEST(Interpreter, JumpToBlockPointMovesThePenWithoutDrawing) {
  test::ScriptedRun r;
  const std::vector<Colour> before = r.sim.picResult.pixels();
  const ViewState& view = r.sim.view;
  r.sim.interpreter.JumpToBlockPoint("G00 X40 Z2 ;");
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 666.8);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 272);
  r.sim.interpreter.JumpToBlockPoint("G01 Z-20 ;");
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 592);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 272);
  r.sim.interpreter.JumpToBlockPoint("G01 X10 ;");
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 592);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 323);
  r.sim.interpreter.JumpToBlockPoint("M05 ;");  // no word: the pen stays
  EXPECT_DOUBLE_EQ(view.TargetPointZ, 592);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 323);
  EXPECT_EQ(r.sim.picResult.pixels(), before);
}

}  // namespace
}  // namespace draivo
