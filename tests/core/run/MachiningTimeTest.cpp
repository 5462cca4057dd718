#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "GoldenCase.h"
#include "time/TimeAccount.h"

namespace draivo::test {
namespace {

constexpr double AbsoluteTolerance = 0.002;  // the hand values are written to three decimals
constexpr double SecondsPerMinute = 60;
constexpr double Percent = 100;

// A row of expected.time: a tool ("-" for none, "total" for the run), the feed, rapid and
// dwell time in seconds ("unknown" for a feed time that cannot be known) and the feed and
// rapid length in the program's unit.
struct ExpectedRow {
  std::string tool;
  std::optional<double> feedSeconds;
  double rapidSeconds = 0, dwellSeconds = 0, feedLength = 0, rapidLength = 0;
};

struct ExpectedTime {
  std::vector<ExpectedRow> rows;
  double relativeTolerance = 0;  // a line "tolerance P%"
};

ExpectedTime parseExpected(const std::vector<std::string>& lines) {
  ExpectedTime expected;
  for (const std::string& line : lines) {
    std::istringstream words(line);
    std::string first, feed;
    if (!(words >> first) || first.starts_with("#")) continue;
    if (first == "tolerance") {
      words >> expected.relativeTolerance;
      expected.relativeTolerance /= Percent;
    } else {
      ExpectedRow row;
      row.tool = first == "-" ? "" : first;
      words >> feed >> row.rapidSeconds >> row.dwellSeconds >> row.feedLength >> row.rapidLength;
      if (feed != "unknown") row.feedSeconds = std::stod(feed);
      expected.rows.push_back(row);
    }
    EXPECT_FALSE(words.fail()) << "expected.time: " << line;
  }
  return expected;
}

void expectTotals(const ExpectedRow& row, const TimeTotals& actual, double relativeTolerance) {
  const auto near = [&](double value, double want, const char* what) {
    const double tolerance = std::max(AbsoluteTolerance, relativeTolerance * std::fabs(want));
    EXPECT_NEAR(value, want, tolerance) << row.tool << ": " << what;
  };
  EXPECT_EQ(actual.feedKnown(), row.feedSeconds.has_value()) << row.tool << ": feed time known";
  if (row.feedSeconds && actual.feedKnown()) {
    near(actual.feedMinutes * SecondsPerMinute, *row.feedSeconds, "feed time");
  }
  near(actual.rapidMinutes(0) * SecondsPerMinute, row.rapidSeconds, "rapid time");
  near(actual.dwellMinutes * SecondsPerMinute, row.dwellSeconds, "dwell time");
  near(actual.feedLength, row.feedLength, "feed length");
  near(actual.rapidLength, row.rapidLength, "rapid length");
}

std::vector<GoldenCase> timeCases() {
  std::vector<GoldenCase> cases;
  for (auto& c : DiscoverGoldenCases(GoldenDataFolder())) {
    if (!c.time.empty()) cases.push_back(c);
  }
  return cases;
}

class MachiningTimeTest : public ::testing::TestWithParam<GoldenCase> {};

// Each case's times are computed by hand from its program (see the comments in its
// expected.time); its expected.trace shows the moves they were taken from.
TEST_P(MachiningTimeTest, RunGivesTheHandComputedTimes) {
  const GoldenCase& c = GetParam();
  ASSERT_TRUE(c.fault.empty()) << c.folder << ": " << c.fault;
  HeadlessOptions options = c.options;
  options.recordTime = true;
  const HeadlessResult result = RunHeadless(c.programFile(), options);
  const ExpectedTime expected = parseExpected(c.time);

  std::vector<std::string> tools, expectedTools;
  for (const ToolTime& tool : result.time.tools) tools.push_back(tool.tool);
  for (const ExpectedRow& row : expected.rows) {
    if (row.tool != "total") expectedTools.push_back(row.tool);
  }
  ASSERT_EQ(tools, expectedTools);
  ASSERT_EQ(expected.rows.size(), expectedTools.size() + 1) << "one total row";
  ASSERT_EQ(expected.rows.back().tool, "total");

  for (std::size_t i = 0; i < expected.rows.size(); ++i) {
    const ExpectedRow& row = expected.rows[i];
    const TimeTotals actual =
        row.tool == "total" ? result.time.total() : result.time.tools[i].totals;
    expectTotals(row, actual, expected.relativeTolerance);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, MachiningTimeTest, ::testing::ValuesIn(timeCases()),
                         [](const auto& info) { return info.param.name; });

TEST(MachiningTimeData, HoldsTheHandComputedCases) {
  EXPECT_GE(timeCases().size(), 7u);
}

}  // namespace
}  // namespace draivo::test
