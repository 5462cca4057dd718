#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"
#include "run/FileHelpers.h"
#include "run/ProgramCache.h"
#include "run/ProgramLoader.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

using Lines = std::vector<std::string>;

Lines linesOf(const BlockTexts& texts) {
  Lines lines;
  for (std::size_t i = 0; i < texts.size(); ++i) lines.emplace_back(texts[i]);
  return lines;
}

TEST(SplitLines, BreaksAtCrLfAndCrLf) {
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"A", {"A"}},
      {"A\nB\n", {"A", "B"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\rB", {"A", "B"}},
      {"A\n\rB", {"A", "", "B"}},
      {"A\r\r\nB", {"A", "", "B"}},
      {"A\n\nB", {"A", "", "B"}},
      {std::string("A\0B\nC", 5), {std::string("A\0B", 3), "C"}},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(SplitLines(text), lines) << text;
}

// The loader takes the lines SplitLines cuts, from a whole text or from a file read in chunks
// of any size, for any mix of line ends, start and end lines, and lines already in block form.
TEST(LoadProgram, TakesTheLinesSplitLinesCutsUpToTheEnd) {
  std::mt19937 random(61206);
  const Lines pieces = {"\r",     "\n",
                        "\r\n",   "G01 X1",
                        "x2.",    std::string(ProgramStartLine),
                        "%",      std::string(ProgramEndMarker),
                        "N5",     " ;",
                        "G1 M8 ;"};
  test::TempFolder folder;
  for (int round = 0; round < 400; ++round) {
    std::string text;
    for (std::size_t i = random() % 12; i > 0; --i) text += pieces[random() % pieces.size()];
    Lines expected;
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

// Lines the loader takes as they are must be lines that normalising leaves as they are.
TEST(IsNormalBlock, TakesOnlyLinesThatNormalisingKeeps) {
  std::mt19937 random(3012);
  const Lines words = {"G1",  "G01",   "G00",  "M8", "M08", "M98", "M30", "X-2.5", "Z.5", "X2.",
                       "N10", "P1234", "F0.2", "x1", ":0",  "(",   ",5",  "-",     ";",   "%"};
  const Lines gaps = {" ", " ", "", "  "};
  int taken = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (std::size_t i = 0, count = 1 + random() % 4; i < count; ++i) {
      if (i > 0) line += gaps[random() % gaps.size()];
      line += words[random() % words.size()];
    }
    line += random() % 4 == 0 ? ";" : " ;";
    if (!IsNormalBlock(line)) continue;
    ++taken;
    ASSERT_EQ(NormaliseBlock(line), line);
  }
  EXPECT_GT(taken, 1000);
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
    EXPECT_FALSE(LoadProgramFile(refused)) << refused;
  }
}

// A program is kept only while its file is unchanged on disk, and only once its modification
// time is old enough that a change within the same clock tick cannot pass unseen.
TEST(ProgramCache, ReadsAFileAgainWhenItMayHaveChanged) {
  test::TempFolder folder;
  const std::string file = folder.write("O0001.nc", "G00 X1 ;\n");
  ProgramCache cache;
  const auto fresh = cache.load(file);
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(cache.load(file), fresh);

  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(file, past);
  const auto settled = cache.load(file);
  EXPECT_EQ(cache.load(file), settled);
  const std::string other = folder.write("O0002.nc", "G00 X3 ;\n");
  std::filesystem::last_write_time(other, past);
  EXPECT_EQ(cache.load(other), cache.load(other));
  EXPECT_EQ(cache.load(file), settled);  // a main program and its subprogram are both kept

  folder.write("O0001.nc", "G00 X2 ;\n");  // the same size
  std::filesystem::last_write_time(file, past + std::chrono::seconds(1));
  const auto changed = cache.load(file);
  ASSERT_NE(changed, settled);
  EXPECT_EQ((*changed->blocks)[0], "G00 X2 ;");
  std::filesystem::remove(file);
  EXPECT_EQ(cache.load(file), nullptr);
}

}  // namespace
}  // namespace draivo
