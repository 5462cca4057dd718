#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "time/TimeTable.h"

namespace draivo {
namespace {

// The tables themselves are checked through draivo-sim --time (CommandLineTest).
TEST(TimeTable, DurationsAreHoursMinutesSecondsToTheTenth) {
  const std::pair<double, const char*> cases[] = {
      {0, "0:00:00.0"},
      {0.04, "0:00:00.0"},
      {0.96, "0:00:01.0"},
      {59.96, "0:01:00.0"},
      {3723.4, "1:02:03.4"},
      {360000, "100:00:00.0"},
      {-1, UnknownTimeText},
      {std::nan(""), UnknownTimeText},
      {std::numeric_limits<double>::infinity(), UnknownTimeText},
  };
  for (const auto& [seconds, text] : cases)
    EXPECT_EQ(FormatDuration(seconds / 60), text) << seconds;
}

}  // namespace
}  // namespace draivo
