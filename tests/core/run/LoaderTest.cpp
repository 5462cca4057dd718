#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"
#include "run/FileHelpers.h"
#include "run/ProgramCache.h"
#include "run/ProgramLoader.h"
#include "support/DataTable.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

using Lines = std::vector<std::string>;

// Each entry after the line number the loader gives it in its file ("3: G00 X1 ;").
Lines linesOf(const BlockTexts& texts) {
  Lines lines;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    lines.push_back(std::to_string(texts.lineOf(i)) + ": " + std::string(texts[i]));
  }
  return lines;
}

TEST(SplitLines, BreaksAtCrLfAndCrLf) {
  for (const auto& row : test::ReadTable("tables/split_lines.rows")) {
    std::string joined;
    for (const std::string& line : SplitLines(row.at(0))) joined += line + "/";
    EXPECT_EQ(joined, row.at(1)) << row.at(0);
  }
}

// The loader takes the lines SplitLines cuts, normalised, from a whole text or from a file read
// in chunks of any size, for any mix of line ends, start and end lines and words, and knows the
// line each came from; the lines it takes as they are (IsNormalBlock) must be lines that
// normalising leaves as they are.
TEST(LoadProgram, TakesTheLinesSplitLinesCutsUpToTheEnd) {
  std::mt19937 random(61206);
  const Lines pool = {"G1",  "G01",   "G00",  "M8", "M08", "M98", "M30", "X-2.5", "Z.5", "X2.",
                      "N10", "P1234", "F0.2", "x1", ":0",  "(",   ",5",  "-",     "%",   ""};
  const Lines gaps = {" ", " ", "", "  "}, ends = {" ;", " ;", ";", ""},
              breaks = {"\r", "\n", "\r\n"};
  test::TempFolder folder;
  int normal = 0;
  for (int round = 0; round < 10000; ++round) {
    std::string text;
    for (std::size_t line = random() % 5; line > 0; --line) {
      std::string words;
      for (std::size_t word = random() % 4; word > 0; --word) {
        words += pool[random() % pool.size()] + (word > 1 ? gaps[random() % gaps.size()] : "");
      }
      words += ends[random() % ends.size()];
      if (random() % 16 == 0) words = random() % 2 ? ProgramStartLine : ProgramEndMarker;
      text += words + breaks[random() % breaks.size()];
    }
    Lines expected;
    std::size_t number = 0;
    for (const std::string& line : SplitLines(text)) {
      ++number;
      if (line == ProgramStartLine) continue;
      if (line.empty() || line == ProgramEndMarker) break;
      expected.push_back(std::to_string(number) + ": " + NormaliseBlock(line));
      normal += IsNormalBlock(line) ? 1 : 0;
    }
    ASSERT_EQ(linesOf(*LoadProgramText(text).blocks), expected) << "round " << round;
    if (round % 10 != 0) continue;
    const std::size_t chunk = 1 + random() % 6;
    const std::string bom = round % 20 == 0 ? "\xEF\xBB\xBF" : "";
    const auto read = LoadProgramFile(folder.write("program.nc", bom + text), chunk).program;
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(linesOf(*read->blocks), expected) << "round " << round << ", chunk " << chunk;
    // A copy of the texts keeps the line numbers.
    ASSERT_EQ(linesOf(BlockTexts(*read->blocks)), expected);
  }
  EXPECT_GT(normal, 1000);
}

// Folders, oversized files and unreadable names are refused by RunLoopTest; a pipe would
// block for ever if it were opened, a device never ends.
TEST(FileHelpers, ReadOnlyRegularFiles) {
  EXPECT_EQ(DirectoryOf("/a/b/c.nc"), "/a/b/");
  EXPECT_EQ(DirectoryOf("c.nc"), "");
  test::TempFolder folder;
  const std::string bytes("\0\x01\xFF\r\n", 5);
  EXPECT_EQ(ReadWholeFile(folder.write("O1234.nc", bytes)), bytes);
  EXPECT_FALSE(FileExists(folder.write("O1234", "G00 X1 ;\n")));  // no "."
  const auto fifo = folder.path() / "pipe.nc";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& refused : {std::string("/dev/zero"), fifo.string()}) {
    EXPECT_FALSE(ReadWholeFile(refused)) << refused;
    EXPECT_EQ(LoadProgramFile(refused).failure, LoadFailure::Unreadable) << refused;
  }
  // A file of the largest size is read (one of NUL bytes only is then no program); one byte
  // more is not read at all.
  const std::string largest = folder.write("large.nc", "");
  std::filesystem::resize_file(largest, MaxProgramFileBytes);
  EXPECT_EQ(LoadProgramFile(largest).failure, LoadFailure::NotAProgram);
  std::filesystem::resize_file(largest, MaxProgramFileBytes + 1);
  EXPECT_EQ(LoadProgramFile(largest).failure, LoadFailure::Unreadable);
}

// A program is kept only while its file is unchanged on disk, and only once its modification
// time is old enough that a change within the same clock tick cannot pass unseen.
TEST(ProgramCache, ReadsAFileAgainWhenItMayHaveChanged) {
  test::TempFolder folder;
  const std::string file = folder.write("O0001.nc", "G00 X1 ;\n");
  ProgramCache cache;
  const auto fresh = cache.load(file).program;
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(cache.load(file).program, fresh);

  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(file, past);
  const auto settled = cache.load(file).program;
  EXPECT_EQ(cache.load(file).program, settled);
  const std::string other = folder.write("O0002.nc", "G00 X3 ;\n");
  std::filesystem::last_write_time(other, past);
  const auto otherKept = cache.load(other).program;
  EXPECT_EQ(cache.load(other).program, otherKept);
  EXPECT_EQ(cache.load(file).program, settled);  // a main program and its subprogram are both kept
  // A third program, written two and a half seconds ago, is kept in place of the one used
  // longest ago.
  const std::string third = folder.write("O0003.nc", "G00 X4 ;\n");
  std::filesystem::last_write_time(
      third, std::filesystem::file_time_type::clock::now() - std::chrono::milliseconds(2500));
  const auto kept = cache.load(third).program;
  EXPECT_EQ(cache.load(third).program, kept);
  EXPECT_EQ(cache.load(file).program, settled);
  EXPECT_NE(cache.load(other).program, otherKept) << "read again once left out";

  folder.write("O0001.nc", "G00 X2 ;\n");  // the same size
  std::filesystem::last_write_time(file, past + std::chrono::seconds(1));
  const auto changed = cache.load(file).program;
  ASSERT_NE(changed, settled);
  EXPECT_EQ((*changed->blocks)[0], "G00 X2 ;");
  std::filesystem::remove(file);
  EXPECT_EQ(cache.load(file).program, nullptr);
}

}  // namespace
}  // namespace draivo
