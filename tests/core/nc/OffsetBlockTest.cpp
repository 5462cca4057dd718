#include "nc/ContourTools.h"

#include <gtest/gtest.h>

namespace draivo {
namespace {

struct OffsetCase {
  const char* block;
  ContourShift shift;
  const char* expected;
};

void PrintTo(const OffsetCase& c, std::ostream* os) { *os << '"' << c.block << "\" k=" << c.shift.k; }

class OffsetBlockTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetBlockTest, ShiftsXZUAndW) {
  EXPECT_EQ(OffsetBlock(GetParam().block, GetParam().shift), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, OffsetBlockTest,
    ::testing::Values(
        // pass 2 of 3 lies halfway between the total shift and the finishing allowance
        OffsetCase{"N40 G01 X30 Z0 ;", {3, 4, 1, 0.4, 0, 2}, "N40 G01 X32.2 Z.5 ;"},
        OffsetCase{"N40 G01 X30 Z0 ;", {3, 4, 1, 0.4, 0, 1}, "N40 G01 X34 Z1 ;"},
        OffsetCase{"N40 G01 X30 Z0 ;", {3, 4, 1, 0.4, 0, 3}, "N40 G01 X30.4 Z0 ;"},
        OffsetCase{"N50 G01 Z-30 ;", ContourShift::finishing(0, 0.5), "N50 G01 Z-29.5 ;"},
        OffsetCase{"N50 G01 U2 W-3 F0.2 ;", ContourShift::finishing(0.4, 0.1),
                   "N50 G01 U2.4 W-2.9 F0.2 ;"},
        OffsetCase{"N60 G00 X0 ;", ContourShift::finishing(-0.25, 0), "N60 G00 X-.25 ;"},
        OffsetCase{"N60 G00 X0.2 ;", ContourShift::finishing(0.2, 0), "N60 G00 X.4 ;"},
        OffsetCase{"N70 G03 X40 Z-20 R5 ;", ContourShift::finishing(1, 1),
                   "N70 G03 X41 Z-19 R5 ;"},       // R stays as written
        OffsetCase{"N80 M05 ;", ContourShift::finishing(1, 1), "N80 M05 ;"},
        OffsetCase{"N40 G01 X30 Z0 ;", {1, 4, 1, 0.4, 0, 1}, "N40 G01 X34 Z1 ;"}));

TEST(SequenceKeyTest, WritesTheNumberPlainly) {
  EXPECT_EQ(sequenceKey("G71 P40 Q60 U0 W0 ;", 'P'), "N40");
  EXPECT_EQ(sequenceKey("G71 P0040 Q0060 ;", 'Q'), "N60");
  EXPECT_EQ(sequenceKey("G70 ;", 'P'), "N0");
}

}  // namespace
}  // namespace draivo
