#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>

#include "GoldenCase.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

constexpr std::size_t RunLoopCaseCount = 15;  // the cases of the run loop itself

std::vector<std::string> statusLines(const std::vector<StatusRow>& rows) {
  std::vector<std::string> lines;
  for (const auto& row : rows) lines.push_back(row.caption + "\t" + row.value);
  return lines;
}

std::string testNameOf(const ::testing::TestParamInfo<GoldenCase>& info) {
  std::string name;
  for (char c : info.param.name) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

std::vector<GoldenCase> allCases() {
  return DiscoverGoldenCases(GoldenDataFolder());
}

std::vector<GoldenCase> commandLineCases() {
  std::vector<GoldenCase> cases;
  for (auto& c : allCases()) {
    if (c.viaCommandLine) cases.push_back(c);
  }
  return cases;
}

class GoldenTraceTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTraceTest, HeadlessRunGivesTheExpectedTrace) {
  const GoldenCase& c = GetParam();
  ASSERT_TRUE(c.fault.empty()) << c.folder << ": " << c.fault;
  const HeadlessResult result = RunHeadless(c.programFile(), c.options);
  EXPECT_EQ(result.trace, c.trace);
  EXPECT_EQ(result.messages, c.messages);
  EXPECT_EQ(ExitStatusOf(result), c.exitStatus);
  if (c.checkStatus) {
    EXPECT_EQ(statusLines(result.status), c.status);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, GoldenTraceTest, ::testing::ValuesIn(allCases()), testNameOf);

TEST(GoldenTraceData, HoldsTheRunLoopCases) {
  const auto cases = allCases();
  EXPECT_GE(cases.size(), RunLoopCaseCount) << "data folder: " << GoldenDataFolder();
  EXPECT_GE(commandLineCases().size(), 3u);
}

#ifdef DRAIVO_SIM

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

class CommandLineTraceTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(CommandLineTraceTest, DraivoSimPrintsTheTraceAndMessages) {
  const GoldenCase& c = GetParam();
  TempFolder temp;
  const auto out = temp.path() / "stdout";
  const auto err = temp.path() / "stderr";
  std::string command = quoted(DRAIVO_SIM) + " --trace --status";
  command += " --zoom " + std::to_string(c.options.zoom);
  if (c.options.direct) command += " --direct";
  command +=
      " " + quoted(c.programFile()) + " >" + quoted(out.string()) + " 2>" + quoted(err.string());

  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << command;
  EXPECT_EQ(WEXITSTATUS(raw), c.exitStatus);

  auto lines = ReadLines(out);
  ASSERT_GE(lines.size(), 5u);
  const std::vector<std::string> status(lines.end() - 5, lines.end());
  lines.resize(lines.size() - 5);
  EXPECT_EQ(lines, c.trace);
  if (c.checkStatus) {
    EXPECT_EQ(status, c.status);
  }
  EXPECT_EQ(ReadLines(err), c.messages);
}

INSTANTIATE_TEST_SUITE_P(Data, CommandLineTraceTest, ::testing::ValuesIn(commandLineCases()),
                         testNameOf);

#endif

}  // namespace
}  // namespace draivo::test
