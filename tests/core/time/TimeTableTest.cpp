#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "time/TimeTable.h"

namespace draivo {
namespace {

TEST(TimeTable, DurationsAreHoursMinutesSecondsToTheTenth) {
  const std::pair<double, const char*> cases[] = {
      {0, "0:00:00.0"},     {0.04, "0:00:00.0"},          {0.96, "0:00:01.0"},
      {59.96, "0:01:00.0"}, {3723.4, "1:02:03.4"},        {360000, "100:00:00.0"},
      {-1, UnknownTimeText}, {std::nan(""), UnknownTimeText},
      {std::numeric_limits<double>::infinity(), UnknownTimeText},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(FormatDuration(seconds / 60), text) << seconds;
}

TimeAccount twoTools() {
  TimeAccount account;
  TimeTotals& none = account.of("");
  none.feedMinutes = 1;
  none.dwellMinutes = 0.5;
  none.feedLength = 100;
  none.rapidLength = 6000;
  none.rapidTravelMm = 5000;
  TimeTotals& second = account.of("T0202");
  second.feedLength = 10;
  second.unknownFeed = static_cast<unsigned>(UnknownFeed::SpindleStopped) |
                       static_cast<unsigned>(UnknownFeed::NoFeed);
  return account;
}

TEST(TimeTable, AnUnknownFeedTimeMakesTheToolAndTheTotalUnknown) {
  const TimeTable table = MakeTimeTable(twoTools(), 0);
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[0], (TimeRow{"(geen)", "0:01:00.0", "0:00:30.0", "0:00:30.0", "0:02:00.0",
                                    "100.00", "6000.00"}));
  EXPECT_EQ(table.rows[1],
            (TimeRow{"T0202", "onbekend", "0:00:00.0", "0:00:00.0", "onbekend", "10.00", "0.00"}));
  EXPECT_EQ(table.rows[2], (TimeRow{"Totaal", "onbekend", "0:00:30.0", "0:00:30.0", "onbekend",
                                    "110.00", "6000.00"}));
  ASSERT_EQ(table.notes.size(), 2u);
  EXPECT_NE(table.notes[0].find("stilstaande spil"), std::string::npos);
  EXPECT_NE(table.notes[1].find("voeding 0"), std::string::npos);
  EXPECT_EQ(table.rapidRate, "10000 mm/min");
  EXPECT_EQ(MakeTimeTable(twoTools(), 2500).rows[2][2], "0:02:00.0");
}

TEST(TimeTable, InchProgramsUseInchesAndTheirRapidRate) {
  TimeAccount inches;
  inches.unit = LengthUnit::Inch;
  inches.of("T0101").rapidTravelInch = 400;
  inches.of("T0101").rapidLength = 2.5;
  const TimeTable table = MakeTimeTable(inches, 0);
  EXPECT_EQ(table.headers[5], "Voedingsweg (inch)");
  EXPECT_EQ(table.rows[1], (TimeRow{"Totaal", "0:00:00.0", "0:01:00.0", "0:00:00.0", "0:01:00.0",
                                    "0.000", "2.500"}));
  EXPECT_EQ(table.rapidRate, "400 inch/min");
}

}  // namespace
}  // namespace draivo
