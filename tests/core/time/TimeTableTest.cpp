#include <gtest/gtest.h>

#include <cstdlib>

#include "support/DataTable.h"
#include "time/TimeTable.h"

namespace draivo {
namespace {

// The tables themselves are checked through draivo-sim --time (CommandLineTest).
TEST(TimeTable, DurationsAreHoursMinutesSecondsToTheTenth) {
  for (const auto& row : test::ReadTable("tables/duration.rows")) {
    EXPECT_EQ(FormatDuration(std::strtod(row.at(0).c_str(), nullptr) / 60), row.at(1)) << row.at(0);
  }
}

}  // namespace
}  // namespace draivo
