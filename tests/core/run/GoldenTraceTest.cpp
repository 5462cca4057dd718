#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "GoldenCase.h"
#include "time/TimeTable.h"

namespace draivo::test {
namespace {

// The trace with the lines that a line "... N" of the expected trace passes over replaced by
// that line, so that long runs are compared by their ends and their exact length.
std::vector<std::string> elided(const std::vector<std::string>& trace,
                                const std::vector<std::string>& expected) {
  std::vector<std::string> out;
  std::size_t at = 0;
  for (std::size_t i = 0; i < expected.size() && at < trace.size(); ++i) {
    const std::size_t skip =
        expected[i].starts_with("... ") ? std::stoul(expected[i].substr(4)) : 0;
    if (skip > 0 && at + skip <= trace.size()) {
      out.push_back(expected[i]);
      at += skip;
    } else {
      out.push_back(trace[at++]);
    }
  }
  out.insert(out.end(), trace.begin() + static_cast<std::ptrdiff_t>(at), trace.end());
  return out;
}

// FNV-1a (64 bits) of the trace, each block ended by a line break, and of the picture's pixel
// values row by row, as expected.hash holds them.
std::vector<std::string> hashLines(const CaseRun& run) {
  std::uint64_t hashes[2] = {0xcbf29ce484222325, 0xcbf29ce484222325};
  const auto add = [](std::uint64_t& hash, const void* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 0x100000001b3;
    }
  };
  for (const auto& block : run.trace) add(hashes[0], (block + "\n").data(), block.size() + 1);
  for (int row = 0; row < run.picture.height(); ++row) {
    for (int column = 0; column < run.picture.width(); ++column) {
      const Colour colour = run.picture.getPixel(column, row);
      add(hashes[1], &colour, sizeof colour);
    }
  }
  char text[2][40];
  for (int i = 0; i < 2; ++i)
    std::snprintf(text[i], sizeof text[i], "%016llx", static_cast<unsigned long long>(hashes[i]));
  return {std::string("trace ") + text[0], std::string("picture ") + text[1]};
}

void expectCommon(const GoldenCase& c, const CaseRun& run) {
  EXPECT_EQ(elided(run.trace, c.lines("trace")), c.lines("trace"));
  EXPECT_EQ(run.messages, c.lines("messages"));
  EXPECT_EQ(run.exitStatus, c.number("exit", 0));
  if (c.has("status")) {
    EXPECT_EQ(run.status, c.lines("status"));
  }
  if (c.has("hash")) {
    EXPECT_EQ(hashLines(run), c.lines("hash"));
  }
  for (const auto& line : c.lines("pixels")) {
    int column = 0, row = 0;
    std::istringstream(line) >> column >> row;
    const std::string place = std::to_string(column) + " " + std::to_string(row) + " ";
    EXPECT_EQ(place + ColourText(run.picture.getPixel(column, row)), line);
  }
}

// expected.time: per tool (in the order of first use, "-" for none) and a last line "total":
// the feed, rapid and dwell seconds ("unknown" feed time) and the feed and rapid length,
// within 0.002 or the percentage of a line "tolerance P".
void expectTime(const std::vector<std::string>& lines, const TimeAccount& account) {
  double relative = 0;
  std::size_t tool = 0;
  for (const auto& line : lines) {
    std::istringstream words(line);
    std::string name, feed;
    if (!(words >> name) || name.starts_with("#")) continue;
    if (name == "tolerance") {
      words >> relative;
      relative /= 100;
      continue;
    }
    double want[5] = {};
    words >> feed >> want[1] >> want[2] >> want[3] >> want[4];
    ASSERT_FALSE(words.fail()) << line;
    const bool total = name == "total";
    ASSERT_TRUE(total || tool < account.tools.size()) << line;
    EXPECT_EQ(total ? name : account.tools[tool].tool, name == "-" ? "" : name);
    const TimeTotals t = total ? account.total() : account.tools[tool++].totals;
    EXPECT_EQ(t.feedKnown(), feed != "unknown") << line;
    want[0] = t.feedKnown() && feed != "unknown" ? std::stod(feed) : 0;
    const double got[5] = {t.feedKnown() ? t.feedMinutes * 60 : 0, t.rapidMinutes(0) * 60,
                           t.dwellMinutes * 60, t.feedLength, t.rapidLength};
    for (int i = 0; i < 5; ++i) {
      EXPECT_NEAR(got[i], want[i], std::max(0.002, relative * std::fabs(want[i]))) << line;
    }
  }
  EXPECT_EQ(tool, account.tools.size()) << "tools in expected.time";
}

std::string testNameOf(const ::testing::TestParamInfo<GoldenCase>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

std::vector<GoldenCase> allCases() {
  return DiscoverGoldenCases(GoldenDataFolder());
}

class GoldenTraceTest : public ::testing::TestWithParam<GoldenCase> {};

// Every case runs as draivo-sim runs it and as the window does, driven by a scripted user who
// clicks Start whenever the run waits; options only one of them can follow select that one.
TEST_P(GoldenTraceTest, RunDoesWhatTheFolderExpects) {
  const GoldenCase& c = GetParam();
  ASSERT_TRUE(c.fault.empty()) << c.folder << ": " << c.fault;
  if (!c.scripted()) {
    SCOPED_TRACE("headless run");
    const CaseRun run = RunHeadlessCase(c);
    expectCommon(c, run);
    if (c.has("time")) expectTime(c.lines("time"), run.time);
    if (c.has("table")) {
      EXPECT_EQ(WordLines(FormatTimeTable(MakeTimeTable(run.time, 0))), c.lines("table"));
    }
  }
  if (c.has("budget")) return;
  SCOPED_TRACE("scripted run");
  const CaseRun run = RunScriptedCase(c);
  expectCommon(c, run);
  if (c.has("waits")) {
    EXPECT_EQ(run.waits, c.lines("waits"));
  }
  for (const auto& line : c.lines("state")) {
    const std::string key = line.substr(0, line.find(' '));
    ASSERT_EQ(run.state.count(key), 1u) << "unknown state " << key;
    EXPECT_EQ(key + " " + run.state.at(key), line);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, GoldenTraceTest, ::testing::ValuesIn(allCases()), testNameOf);

TEST(GoldenTraceData, IsFound) {
  EXPECT_GE(allCases().size(), 100u) << GoldenDataFolder();
}

}  // namespace
}  // namespace draivo::test
