// Program files of any content and size end: files above the size limit are refused before
// they are read, and long lines or binary bytes run to the end of the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <random>

#include "LimitRun.h"
#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"
#include "run/FileHelpers.h"
#include "run/ProgramLoader.h"
#include "support/BlockLines.h"

namespace draivo::test {
namespace {

TEST(FileLimits, FileAboveTheSizeLimitIsRefusedUnread) {
  TempFolder folder;
  const std::string file = folder.write("program.nc", "G00 X10 Z2 ;\r\n");
  // A sparse file: the size is there without writing 64 MB.
  std::filesystem::resize_file(file, MaxProgramFileBytes + 1);

  HeadlessOptions options;
  options.collectTrace = true;
  const HeadlessResult result = RunHeadless(file, options);
  EXPECT_EQ(result.exit(), HeadlessExit::FileUnreadable);
  EXPECT_TRUE(result.trace.empty());
  EXPECT_EQ(result.messages, std::vector<std::string>{"Bestand niet leesbaar: " + file});
}

// More than the million lines that used to be refused: every line is loaded, also when the
// file is read in chunks.
TEST(FileLimits, ProgramOfMoreThanAMillionLinesLoadsWhole) {
  constexpr std::size_t lines = 1'000'001;
  std::string text;
  for (std::size_t i = 0; i < lines; ++i) text += i % 2 == 0 ? "G01 X1 ;\r\n" : "x2\n";
  TempFolder folder;
  const auto program = LoadProgramFile(folder.write("program.nc", text));
  ASSERT_TRUE(program.has_value());
  ASSERT_EQ(program->blocks->size(), lines);
  EXPECT_EQ((*program->blocks)[lines - 2], "X2 ;");
  EXPECT_EQ((*program->blocks)[lines - 1], "G01 X1 ;");
}

// The loader takes its lines one at a time, from a whole text or from a file read in chunks of
// any size; they must be the lines SplitLines cuts, for any mix of CR, LF, the start and end
// lines, and lines that are or are not in block form already.
TEST(FileLimits, LoaderCutsTheLinesSplitLinesCuts) {
  std::mt19937 random(61206);
  const std::vector<std::string> pieces = {"\r",     "\n",
                                           "\r\n",   "G01 X1",
                                           "x2.",    std::string(ProgramStartLine),
                                           "%",      std::string(ProgramEndMarker),
                                           "N5",     " ;",
                                           "G1 M8 ;"};
  TempFolder folder;
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const std::size_t count = random() % 12;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];

    std::vector<std::string> expected;
    for (const std::string& line : SplitLines(text)) {
      if (line == ProgramStartLine) continue;
      if (line.empty() || line == ProgramEndMarker) break;
      expected.push_back(NormaliseBlock(line));
    }
    ASSERT_EQ(linesOf(*LoadProgramText(text).blocks), expected) << "round " << round;
    const std::size_t chunk = 1 + random() % 6;
    const auto read = LoadProgramFile(folder.write("program.nc", text), chunk);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(linesOf(*read->blocks), expected) << "round " << round << ", chunk " << chunk;
  }
}

struct ContentCase {
  std::string name;
  std::string content;
  std::uint64_t executed;  // blocks the run executes
};

void PrintTo(const ContentCase& c, std::ostream* os) {
  *os << c.name;
}

std::string repeated(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

std::string everyByte(std::size_t times) {
  std::string text;
  for (std::size_t t = 0; t < times; ++t) {
    for (int b = 1; b < 256; ++b) text += static_cast<char>(b);
  }
  return text;
}

const std::vector<ContentCase> contentCases = {
    {"LineOfAMegabyte", repeated("g01 w-0.1 ", 100000) + "\r\nM30 ;\r\n", 2},
    {"MegabyteOfDigits", "G01 Z-" + repeated("9", 1u << 20) + " F0.2 ;\r\nM30 ;\r\n", 2},
    // The bytes 1 to 255 over and over: LF and CR cut two lines per round, and the bytes
    // after the last CR make one more.
    {"EveryByteValue", everyByte(2000), 4001},
    {"NulBytes", std::string(1000, '\0') + "\r\nM30 ;\r\n", 2},
};

class FileContentTest : public ::testing::TestWithParam<ContentCase> {};

TEST_P(FileContentTest, RunReachesTheEnd) {
  const ContentCase& c = GetParam();
  TempFolder folder;
  const std::string file = folder.write("program.nc", c.content);
  std::uint64_t executed = 0;
  HeadlessOptions options;
  options.collectTrace = false;
  options.stepBudget = LimitStepBudget;
  options.onTrace = [&executed](const std::string&) { ++executed; };
  const HeadlessResult result = RunHeadless(file, options);

  EXPECT_FALSE(result.budgetExhausted);
  EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd);
  EXPECT_EQ(executed, c.executed);
}

INSTANTIATE_TEST_SUITE_P(Limits, FileContentTest, ::testing::ValuesIn(contentCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace draivo::test
