// Program texts of any content and size run to their end in bounded work, or are refused at
// once when they are no program text.
#include <gtest/gtest.h>

#include "run/HeadlessRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

std::string repeated(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Each text and the blocks its run executes.
TEST(ProgramLimits, HostileTextsRunToTheirEnd) {
  std::string everyByte;
  for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::tuple<const char*, std::string, std::uint64_t> cases[] = {
      {"empty file", "", 0},
      {"only a line break", "\r\n", 0},
      {"line of a megabyte", repeated("g01 w-0.1 ", 100000) + "\r\nM30 ;\r\n", 2},
      {"megabyte of digits", "G01 Z-" + repeated("9", 1u << 20) + " F0.2 ;\r\nM30 ;\r\n", 2},
      {"long comment", "(" + repeated("A", 1u << 20) + "\n", 1},
      {"long word list", repeated("X1 ", 20000) + ";\n", 1},
      // LF and CR cut two lines per round, and the bytes after the last CR make one more;
      // among enough text the control characters pass as program text
      {"every byte value but NUL", repeated(everyByte + std::string(400, 'x'), 2000), 4001},
      // each repetition line is a cut of four blocks
      {"G90 with 100,000 repetition lines",
       "G00 X52 Z2 ;\nG90 X48 Z-40 F0.25 ;\n" + repeated("X46 ;\nX44 ;\n", 50000) +
           "G00 X60 Z5 ;\nM30 ;\n",
       4 * 100001 + 3},
      // more than the million lines that used to be refused: every line is loaded
      {"1,000,001 lines", repeated("G01 X1 ;\r\nx2\n", 500'000) + "G01 X1 ;", 1'000'001},
  };
  TempFolder folder;
  for (const auto& [name, text, blocks] : cases) {
    std::uint64_t executed = 0;
    HeadlessOptions options;
    options.collectTrace = false;
    options.onTrace = [&executed](const std::string&) { ++executed; };
    const HeadlessResult result = RunHeadless(folder.write("program.nc", text), options);
    EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd) << name;
    EXPECT_EQ(executed, blocks) << name;
  }
  for (const std::string& refused :
       {std::string("G01\0X5\0;\nG00 X\0 ;\n", 18) + repeated(std::string(1, '\0'), 1u << 20),
        repeated(everyByte, 2000)}) {
    std::uint64_t executed = 0;
    HeadlessOptions options;
    options.onTrace = [&executed](const std::string&) { ++executed; };
    EXPECT_EQ(RunHeadless(folder.write("program.nc", refused), options).exit(),
              HeadlessExit::FileUnreadable);
    EXPECT_EQ(executed, 0u);
  }
}

}  // namespace
}  // namespace draivo::test
