#include <gtest/gtest.h>

#include <sstream>

#include "nc/ContourTools.h"
#include "support/DataTable.h"

namespace draivo {
namespace {

TEST(OffsetBlock, ShiftsXZUAndW) {
  for (const auto& row : test::ReadTable("tables/offset_block.rows")) {
    ContourShift shift;
    std::istringstream(row.at(1)) >> shift.n >> shift.dx0 >> shift.dz0 >> shift.dx1 >> shift.dz1 >>
        shift.k;
    EXPECT_EQ(OffsetBlock(row.at(0), shift), row.at(2)) << row.at(0) << ", " << row.at(1);
  }
  EXPECT_EQ(sequenceKey("G71 P0040 Q0060 ;", 'Q'), "N60");
  EXPECT_EQ(sequenceKey("G70 ;", 'P'), "N0");
}

}  // namespace
}  // namespace draivo
