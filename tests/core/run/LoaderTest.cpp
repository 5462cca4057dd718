#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "nc/BlockText.h"
#include "run/FileHelpers.h"
#include "run/ProgramCache.h"
#include "run/ProgramLoader.h"
#include "run/SubprogramCall.h"
#include "support/BlockLines.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
  const char* label;
  std::string text;
  Lines lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
  *os << c.label;
}

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, BreaksAtCrLfAndCrLf) {
  EXPECT_EQ(SplitLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitLinesTest,
    ::testing::Values(
        SplitCase{"empty", "", {}}, SplitCase{"no break", "A", {"A"}},
        SplitCase{"final LF adds nothing", "A\nB\n", {"A", "B"}},
        SplitCase{"CR LF is one break", "A\r\nB\r\n", {"A", "B"}},
        SplitCase{"lone CR", "A\rB", {"A", "B"}},
        SplitCase{"LF CR is two breaks", "A\n\rB", {"A", "", "B"}},
        SplitCase{"CR CR LF", "A\r\r\nB", {"A", "", "B"}},
        SplitCase{"blank line kept", "A\n\nB", {"A", "", "B"}},
        SplitCase{"NUL bytes stay", std::string("A\0B\nC", 5), {std::string("A\0B", 3), "C"}}));

struct LoadCase {
  const char* label;
  std::string text;
  Lines blocks;
  std::string caption;  // "" = none
};

void PrintTo(const LoadCase& c, std::ostream* os) {
  *os << c.label;
}

class LoadProgramTextTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadProgramTextTest, LoadsTheBlocksItShould) {
  const LoadedProgram program = LoadProgramText(GetParam().text);
  EXPECT_EQ(test::linesOf(*program.blocks), GetParam().blocks);
  EXPECT_EQ(program.caption.value_or(""), GetParam().caption);
}

// Lines the loader takes as they are must be lines that normalising leaves as they are.
TEST(IsNormalBlock, TakesOnlyLinesThatNormalisingKeeps) {
  std::mt19937 random(3012);
  const std::vector<std::string> words = {"G1",    "G01", "G00", "M8",  "M08",   "M98",  "M30",
                                          "X-2.5", "Z.5", "X2.", "N10", "P1234", "F0.2", "x1",
                                          ":0",    "(",   ",5",  "-",   ";",     "%"};
  const std::vector<std::string> gaps = {" ", " ", "", "  "};
  int taken = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    const std::size_t count = 1 + random() % 4;
    for (std::size_t i = 0; i < count; ++i) {
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

const std::string StartLine = "\x1B&HE:\x12%";
const std::string EndLine = "%\x14";

INSTANTIATE_TEST_SUITE_P(
    Files, LoadProgramTextTest,
    ::testing::Values(
        LoadCase{"empty line ends loading",
                 "N10 G00 X10 ;\r\n\r\nN20 G01 X5 ;\r\n",
                 {"N10 G00 X10 ;"},
                 ""},
        LoadCase{"first line empty loads nothing", "\nN10 G00 X10 ;\n", {}, ""},
        LoadCase{"start line skipped", StartLine + "\r\nN10 G00 X10 ;\r\n", {"N10 G00 X10 ;"}, ""},
        LoadCase{"start line skipped anywhere",
                 "G00 X1 ;\n" + StartLine + "\nG00 X2 ;\n",
                 {"G00 X1 ;", "G00 X2 ;"},
                 ""},
        LoadCase{"end line stops", "G00 X1 ;\r\n" + EndLine + "\r\nG00 X2 ;\r\n", {"G00 X1 ;"}, ""},
        LoadCase{"end line first loads nothing", EndLine, {}, ""},
        LoadCase{"lone percent is a block", "%\nG00 X1 ;\n%\n", {"%", "G00 X1 ;", "%"}, ""},
        LoadCase{
            "percent with more is no end line", "%\x14 \nG00 X1 ;\n", {"% \x14", "G00 X1 ;"}, ""},
        LoadCase{
            "blocks normalised", "n10g1x20.z-5.f.2\nm8", {"N10 G01 X20 Z-5 F.2 ;", "M08 ;"}, ""},
        LoadCase{"program number sets caption",
                 ":0012 ;\nG00 X1 ;\n",
                 {":0012 ;", "G00 X1 ;"},
                 "Draivo O0012.nc"},
        LoadCase{"last number line wins",
                 ":0012 ;\n:0034 ;\n",
                 {":0012 ;", ":0034 ;"},
                 "Draivo O0034.nc"},
        LoadCase{"short number line", ":7", {":7 ;"}, "Draivo O7 ;.nc"}));

TEST(CaptionOf, TakesTheFourCharactersAfterTheFirst) {
  EXPECT_EQ(CaptionOf(":0012 ;"), "Draivo O0012.nc");
  EXPECT_EQ(CaptionOf(":"), "Draivo O.nc");
  EXPECT_EQ(CaptionOf(""), "Draivo O.nc");
  // never half a character
  EXPECT_EQ(CaptionOf(":0\u00B0\u4E2D2 ;"), "Draivo O0\u00B0\u4E2D2.nc");
  EXPECT_EQ(CaptionOf("\u00E9:12"), "Draivo O:12.nc");
}

struct CallCase {
  const char* block;
  const char* mainFile;
  const char* fileName;
  int passes;
};

void PrintTo(const CallCase& c, std::ostream* os) {
  *os << c.block;
}

class SubprogramCallTest : public ::testing::TestWithParam<CallCase> {};

TEST_P(SubprogramCallTest, NamesFileAndPasses) {
  const SubprogramCall call = SubprogramCallOf(GetParam().block, GetParam().mainFile);
  EXPECT_EQ(call.fileName, GetParam().fileName);
  EXPECT_EQ(call.passes, GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, SubprogramCallTest,
    ::testing::Values(CallCase{"N20 M98 P21234 ;", "/p/main.nc", "/p/O1234.nc", 2},
                      CallCase{"M98 P31234;", "/p/q/main.nc", "/p/q/O1234.nc", 3},
                      CallCase{"M98 P1234;", "/p/main.nc", "/p/O1234.nc", 1},
                      CallCase{"M98 P12;", "/p/main.nc", "/p/O12.nc", 1},
                      CallCase{"M98 P01234;", "/p/main.nc", "/p/O1234.nc", 0},
                      CallCase{"M98 P999991234;", "/p/main.nc", "/p/O1234.nc", 9999},
                      CallCase{"M98 P-21234;", "/p/main.nc", "/p/O1234.nc", 0},
                      CallCase{"M98 P21234;", "main.nc", "O1234.nc", 2},
                      CallCase{"M98 ;", "/p/main.nc", "/p/O.nc", 1},
                      CallCase{"M98 PABC;", "/p/main.nc", "/p/OABC.nc", 1},
                      CallCase{"M98 PAB1234;", "/p/main.nc", "/p/O1234.nc", 1}));

TEST(DirectoryOf, KeepsTheLastSlash) {
  EXPECT_EQ(DirectoryOf("/a/b/c.nc"), "/a/b/");
  EXPECT_EQ(DirectoryOf("/c.nc"), "/");
  EXPECT_EQ(DirectoryOf("c.nc"), "");
  EXPECT_EQ(DirectoryOf(""), "");
}

TEST(FileExists, NeedsADotAndAReadableLength) {
  test::TempFolder folder;
  const std::string program = folder.write("O1234.nc", "G00 X1 ;\n");
  const std::string noDot = folder.write("O1234", "G00 X1 ;\n");
  std::filesystem::create_directory(folder.path() / "O5678.nc");
  EXPECT_TRUE(FileExists(program));
  EXPECT_FALSE(FileExists(noDot));
  EXPECT_FALSE(FileExists((folder.path() / "O5678.nc").string()));
  EXPECT_FALSE(FileExists((folder.path() / "O9999.nc").string()));
}

TEST(ReadWholeFile, ReadsRegularFilesOnly) {
  test::TempFolder folder;
  const std::string binary("\0\x01\xFF\r\n", 5);
  EXPECT_EQ(ReadWholeFile(folder.write("a.nc", binary)), binary);
  EXPECT_EQ(ReadWholeFile(folder.write("empty.nc", "")), "");
  ASSERT_TRUE(LoadProgramFile(folder.write("b.nc", "g1x2\n")).has_value());
  const auto fifo = folder.path() / "pipe.nc";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // A pipe would block for ever if it were opened.
  for (const std::string& refused :
       {folder.path().string(), (folder.path() / "missing.nc").string(), std::string("/dev/zero"),
        fifo.string()}) {
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
