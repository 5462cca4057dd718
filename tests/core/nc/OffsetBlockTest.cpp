#include <gtest/gtest.h>

#include "nc/ContourTools.h"

namespace draivo {
namespace {

// Pass k of n lies between the total shift (dx0, dz0) and the finishing allowance (dx1, dz1);
// X and U take the X shift, Z and W the Z shift, written in the short form.
TEST(OffsetBlock, ShiftsXZUAndW) {
  const ContourShift total{3, 4, 1, 0.4, 0, 2};
  const struct {
    const char* block;
    ContourShift shift;
    const char* expected;
  } cases[] = {
      {"N40 G01 X30 Z0 ;", total, "N40 G01 X32.2 Z.5 ;"},
      {"N40 G01 X30 Z0 ;", {3, 4, 1, 0.4, 0, 1}, "N40 G01 X34 Z1 ;"},
      {"N40 G01 X30 Z0 ;", {3, 4, 1, 0.4, 0, 3}, "N40 G01 X30.4 Z0 ;"},
      {"N40 G01 X30 Z0 ;", {1, 4, 1, 0.4, 0, 1}, "N40 G01 X34 Z1 ;"},
      {"N40 G01 X30 Z0 ;", {5, 4, 1, 0, 0, 4}, "N40 G01 X31 Z.25 ;"},
      {"N50 G01 Z-30 ;", ContourShift::finishing(0, 0.5), "N50 G01 Z-29.5 ;"},
      {"N50 G01 U2 W-3 F0.2 ;", ContourShift::finishing(0.4, 0.1), "N50 G01 U2.4 W-2.9 F0.2 ;"},
      {"N60 G00 X0 ;", ContourShift::finishing(-0.25, 0), "N60 G00 X-.25 ;"},
      {"N70 G03 X40 Z-20 R5 ;", ContourShift::finishing(1, 1), "N70 G03 X41 Z-19 R5 ;"},
      {"N80 M05 ;", ContourShift::finishing(1, 1), "N80 M05 ;"},
  };
  for (const auto& c : cases) EXPECT_EQ(OffsetBlock(c.block, c.shift), c.expected) << c.block;
  EXPECT_EQ(sequenceKey("G71 P0040 Q0060 ;", 'Q'), "N60");
  EXPECT_EQ(sequenceKey("G70 ;", 'P'), "N0");
}

}  // namespace
}  // namespace draivo
