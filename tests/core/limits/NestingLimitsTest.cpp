// Subprogram rings, deep nesting and huge repetition counts end: too deep a nesting stops the
// run with a Dutch message, a capped repetition count is reported, and repetitions whose
// product has no practical end are stopped by the step budget.
#include <gtest/gtest.h>

#include <ostream>

#include "LimitRun.h"

namespace draivo::test {
namespace {

using Subprograms = std::map<std::string, std::vector<std::string>>;

constexpr const char* NestingMessage =
    "Programmafout: Te veel geneste subprogramma's (meer dan 32): ";

std::string subName(int n) {
  std::string digits = std::to_string(n);
  return "O" + std::string(4 - digits.size(), '0') + digits + ".nc";
}

std::string callOf(int n, const std::string& repetitions = "") {
  const std::string name = subName(n);
  return "M98 P" + repetitions + name.substr(1, 4) + " ;";
}

// O0001 calls O0002 and so on up to the last, which only moves.
Subprograms chain(int length) {
  Subprograms subs;
  for (int n = 1; n < length; ++n) subs[subName(n)] = {"G01 W-1 F0.2 ;", callOf(n + 1)};
  subs[subName(length)] = {"G01 U1 F0.2 ;"};
  return subs;
}

struct NestingCase {
  std::string name;
  std::vector<std::string> program;
  Subprograms subprograms;
  HeadlessExit exit;
  std::vector<std::string> messages;  // "{dir}" stands for the program folder
  std::uint64_t maxExecuted;
};

void PrintTo(const NestingCase& c, std::ostream* os) {
  *os << c.name;
}

const std::vector<NestingCase> nestingCases = {
    {"RingOfTwoSubprograms",
     {"G00 X20 Z2 ;", callOf(1), "M30 ;"},
     {{subName(1), {"G01 X11 ;", callOf(2)}}, {subName(2), {"G01 X22 ;", callOf(1)}}},
     HeadlessExit::Stopped,
     {std::string(NestingMessage) + "{dir}O0002.nc"},
     40},
    {"SubprogramCallingItself",
     {callOf(1), "M30 ;"},
     {{subName(1), {"G01 X11 ;", callOf(1)}}},
     HeadlessExit::Stopped,
     {std::string(NestingMessage) + "{dir}O0001.nc"},
     40},
    {"SubprogramCallingItselfWithRepetitions",
     {callOf(1, "9999"), "M30 ;"},
     {{subName(1), {"G01 X11 ;", callOf(1, "9999")}}},
     HeadlessExit::Stopped,
     {std::string(NestingMessage) + "{dir}O0001.nc"},
     40},
    {"ChainOf31SubprogramsIsDeepestAllowed",
     {callOf(1), "M30 ;"},
     chain(31),
     HeadlessExit::ReachedEnd,
     {},
     40},
    {"ChainOf32SubprogramsIsTooDeep",
     {callOf(1), "M30 ;"},
     chain(32),
     HeadlessExit::Stopped,
     {std::string(NestingMessage) + "{dir}O0032.nc"},
     40},
    {"RepetitionCountAboveFourDigitsIsCapped",
     {callOf(1, "100000"), "M30 ;"},
     {{subName(1), {"G01 W-1 F0.2 ;"}}},
     HeadlessExit::ReachedEnd,
     {"Programmafout: Aantal herhalingen begrensd op 9999: M98 P1000000001 ;"},
     9999 + 1},
};

std::string withFolder(std::string text, const std::string& folder) {
  const std::string mark = "{dir}";
  const auto at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), folder);
  return text;
}

class NestingLimitsTest : public ::testing::TestWithParam<NestingCase> {};

TEST_P(NestingLimitsTest, RunEndsWithoutTheBudget) {
  const NestingCase& c = GetParam();
  const LimitRunResult run = RunLimitProgram(c.program, c.subprograms, false);

  EXPECT_FALSE(run.result.budgetExhausted);
  EXPECT_EQ(run.result.exit(), c.exit);
  std::vector<std::string> expected;
  for (const auto& message : c.messages) expected.push_back(withFolder(message, run.folder));
  EXPECT_EQ(run.result.messages, expected);
  EXPECT_LE(run.executed, c.maxExecuted);
}

INSTANTIATE_TEST_SUITE_P(Limits, NestingLimitsTest, ::testing::ValuesIn(nestingCases),
                         [](const auto& info) { return info.param.name; });

// Two nested calls of 9999 passes each ask for about 10^8 blocks: the budget stops the run
// promptly, with the state of a finished run.
TEST(NestingBudget, RepetitionsWithoutPracticalEndStopAtTheBudget) {
  constexpr std::uint64_t budget = 50'000;
  const LimitRunResult run = RunLimitProgram(
      {callOf(1, "9999"), "M30 ;"},
      {{subName(1), {callOf(2, "9999")}}, {subName(2), {"G01 W-1 F0.2 ;"}}}, true, {}, budget);
  EXPECT_TRUE(run.result.budgetExhausted);
  EXPECT_EQ(run.result.exit(), HeadlessExit::Stopped);
  EXPECT_LE(run.executed, budget);
  EXPECT_TRUE(run.result.messages.empty());
}

}  // namespace
}  // namespace draivo::test
