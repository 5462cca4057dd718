// Programs with huge coordinates, radii and counts finish in bounded work: drawing is clipped
// to the picture, pass counts are capped with a Dutch message, and the run reaches its end.
#include <gtest/gtest.h>

#include <ostream>

#include "LimitRun.h"
#include "render/Surface.h"

namespace draivo::test {
namespace {

constexpr const char* PassCap = "Programmafout: Aantal doorgangen begrensd op 10000: ";

struct Pixel {
  int column;
  int row;
};

struct HugeCase {
  std::string name;
  std::vector<std::string> program;
  std::vector<std::string> messages;  // every message box, in order
  std::uint64_t maxExecuted;          // the work the run may do at most
  std::vector<std::string> executes;  // blocks the run must have executed
  std::vector<Pixel> drawn;           // pixels the clipped drawing must have set
};

void PrintTo(const HugeCase& c, std::ostream* os) {
  *os << c.name;
}

std::string zeros(std::size_t count) {
  return std::string(count, '0');
}

std::vector<std::string> repetitionProgram(std::size_t lines) {
  std::vector<std::string> program = {"G00 X52 Z2 ;", "G90 X48 Z-40 F0.25 ;"};
  for (std::size_t i = 0; i < lines; ++i) program.push_back(i % 2 == 0 ? "X46 ;" : "X44 ;");
  program.push_back("G00 X60 Z5 ;");
  program.push_back("M30 ;");
  return program;
}

// At zoom 3.4 the diameter 20 lies on row 306 and Z 0 on column 660.
const std::vector<HugeCase> hugeCases = {
    {"G76ThreadOfTenMetres",
     {"G00 X25 Z5 ;", "G76 P020060 Q100 R0.05 ;", "G76 X18.16 Z-10000 R0 P920 Q300 F1.5 ;",
      "M30 ;"},
     {},
     100,
     {"G01 X19.4 Z-10000 ;", "G01 X18.2 Z-10000 ;", "G00 X25 Z5 ;"},
     {{0, 307}}},  // the passes run out to the left edge along the row of X19.4
    {"G76HeightOfAKilometreIsCapped",
     {"G00 X25 Z5 ;", "G76 P020060 Q100 R0.05 ;", "G76 X18.16 Z-30 R0 P920000000 Q300 F1.5 ;",
      "M30 ;"},
     {std::string(PassCap) + "G76 P020060 Q100 R0.05 ;"},
     4 * 10001 + 10,
     {"G00 X25 Z5 ;"},
     {}},
    {"G90WithHundredThousandRepetitionLines",
     repetitionProgram(100000),
     {},
     4 * 100001 + 10,
     {"G01 Z-40 X44 ;", "G00 X60 Z5 ;", "M30 ;"},
     {}},
    {"G73WithBillionPassesIsCapped",
     {"G00 X60 Z2 ;", "G73 U4 W1 R1" + zeros(9) + " ;", "G73 P40 Q50 U0.4 W0.1 F0.2 ;",
      "N40 G00 X24 ;", "N50 G01 Z-10 ;", "M30 ;"},
     {std::string(PassCap) + "G73 U4 W1 R1" + zeros(9) + " ;"},
     3 * 10000 + 10,
     {"G00 X60 Z2 ;", "M30 ;"},
     {}},
    // The loader puts a blank before every letter, so an exponent is a word of its own.
    {"G73WithExponentReadsOnePass",
     {"G00 X60 Z2 ;", "G73 U4 W1 R1E9 ;", "G73 P40 Q50 U0.4 W0.1 F0.2 ;", "N40 G00 X24 ;",
      "N50 G01 Z-10 ;", "M30 ;"},
     {},
     10,
     {"N40 G00 X28 ;"},
     {}},
    {"X1E300IsClippedAtTheTop",
     {"G00 X20 Z-10 ;", "G01 X1" + zeros(300) + " F0.2 ;", "G00 X20 Z-20 ;", "M30 ;"},
     {},
     10,
     {"M30 ;"},
     {{626, 0}, {626, 200}}},
    {"ZMinus99999999IsClippedAtTheLeft",
     {"G00 X20 Z0 ;", "G01 Z-99999999 F0.2 ;", "G00 X30 Z0 ;", "M30 ;"},
     {},
     10,
     {"M30 ;"},
     {{0, 306}, {300, 306}, {655, 306}}},
    {"G02WithBillionRadiusEndsOnItsTarget",
     {"G00 X20 Z0 ;", "G02 X20 Z-50 R1" + zeros(9) + " ;", "G01 Z-60 F0.2 ;", "M30 ;"},
     {},
     10,
     {"M30 ;"},
     {{470, 306}}},
    {"G03WithBillionCentreOffsetEnds",
     {"G00 X20 Z0 ;", "G03 X20 Z-50 I1" + zeros(9) + " K0 ;", "G01 Z-60 F0.2 ;", "M30 ;"},
     {},
     10,
     {"M30 ;"},
     {{470, 306}}},
    {"G71WithDepthZeroMakesNoPasses",
     {"G00 X51 Z2 ;", "G71 U0 R1 ;", "G71 P40 Q60 U0 W0 F0.2 ;", "N40 G00 X20 ;", "N50 G01 Z-30 ;",
      "N60 X52 ;", "M30 ;"},
     {},
     10,
     {"N50 G01 Z-30 ;"},
     {}},
    {"G71WithBillionDepthMakesAtMostOnePass",
     {"G00 X51 Z2 ;", "G71 U1" + zeros(9) + " R1 ;", "G71 P40 Q60 U0 W0 F0.2 ;", "N40 G00 X20 ;",
      "N50 G01 Z-30 ;", "N60 X52 ;", "M30 ;"},
     {},
     14,
     {"N50 G01 Z-30 ;"},
     {}},
    {"G72WithNegativeDepthStaysInsideThePicture",
     {"G00 X80 Z2 ;", "G72 W-5 R0.5 ;", "G72 P40 Q70 U0.2 W0.1 F0.2 ;", "N40 G00 X10 ;",
      "G01 Z-3 ;", "G01 X40 Z-6 ;", "N70 G01 Z-10 ;", "M30 ;"},
     {},
     4 * 702 + 20,
     {"M30 ;"},
     {}},
    {"InsideThreadWithoutDepthStepStopsAfterTheFirstPass",
     {"G00 X10 Z5 ;", "G76 P020060 Q0 R0.05 ;", "G76 X18 Z-30 R0 P920 Q300 F1.5 ;", "M30 ;"},
     {},
     12,
     {"G00 X10 Z5 ;"},
     {}},
    {"DwellOfBillionsOfMilliseconds",
     {"G04 U99999999999999 ;", "G00 X20 Z0 ;", "M30 ;"},
     {},
     4,
     {"G00 X20 Z0 ;"},
     {}},
};

class HugeValuesTest : public ::testing::TestWithParam<std::tuple<HugeCase, bool>> {};

TEST_P(HugeValuesTest, RunReachesItsEndInBoundedWork) {
  const auto& [c, direct] = GetParam();
  const LimitRunResult run = RunLimitProgram(c.program, {}, direct, c.executes);

  EXPECT_FALSE(run.result.budgetExhausted);
  EXPECT_EQ(run.result.exit(), HeadlessExit::ReachedEnd);
  EXPECT_EQ(run.result.messages, c.messages);
  EXPECT_LE(run.executed, c.maxExecuted);
  EXPECT_EQ(run.found, c.executes) << "blocks that must be executed";

  const Surface& picture = run.result.picture;
  for (const Pixel& p : c.drawn) {
    EXPECT_NE(picture.getPixel(p.column, p.row), picture.backColour())
        << "pixel " << p.column << ", " << p.row << " not drawn";
  }
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<HugeCase, bool>>& info) {
  return std::get<0>(info.param).name + (std::get<1>(info.param) ? "_Direct" : "_PixelByPixel");
}

INSTANTIATE_TEST_SUITE_P(Limits, HugeValuesTest,
                         ::testing::Combine(::testing::ValuesIn(hugeCases), ::testing::Bool()),
                         caseName);

}  // namespace
}  // namespace draivo::test
