#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "design/ProgramMarkers.h"
#include "editor/TextCommands.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

namespace fs = std::filesystem;

const std::string Start(ProgramStartLine);
const std::string End(ProgramEndMarker);

TEST(SplitFileLines, FinalLineBreakAddsNoEmptyLine) {
  EXPECT_EQ(SplitFileLines("A\r\nB\r\n"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(SplitFileLines("A\r\n\r\nB"), (std::vector<std::string>{"A", "", "B"}));
  EXPECT_TRUE(SplitFileLines("").empty());
}

TEST(RunTextCommand, RewritesTheTextAndDeletesTheWorkFile) {
  test::TempFolder folder;
  const auto result =
      RunTextCommand(TextCommand::AddLineNumbers, "%\r\n:0001 ;\r\nG00 X1 ;\r\nM30 ;\r\n%\r\n",
                     folder.path().string());
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.text, Start + "\r\n:0001 ;\r\nN5 G00 X1 ;\r\nN10 M30 ;\r\n" + End + "\r\n");
  EXPECT_FALSE(fs::exists(folder.path() / "Temp.$$$"));
}

TEST(RunTextCommand, EmptyTextStaysEmpty) {
  test::TempFolder folder;
  const auto result = RunTextCommand(TextCommand::SpreadWords, "", folder.path().string());
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.text, "");
}

TEST(RunTextCommand, TooManyLinesToNumberIsReportedAndLeavesNoWorkFile) {
  test::TempFolder folder;
  std::string text;
  for (int i = 0; i < 7000; ++i) text += "G01 X1 ;\r\n";
  const auto result = RunTextCommand(TextCommand::AddLineNumbers, text, folder.path().string());
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("N32765"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder.path() / "Temp.$$$"));
}

// Which work-file step fails: the nth write, the nth read or the removal.
struct WorkFileFailure {
  std::string name;
  int failingWrite = 0;
  int failingRead = 0;
  bool failingRemove = false;
  std::string expectedWord;
};

void PrintTo(const WorkFileFailure& c, std::ostream* out) {
  *out << c.name;
}

class WorkFileFailureTest : public testing::TestWithParam<WorkFileFailure> {};

TEST_P(WorkFileFailureTest, IsReportedAndGivesNoText) {
  test::TempFolder folder;
  const auto disk = DiskWorkFileAccess();
  int writes = 0;
  int reads = 0;
  const auto& failure = GetParam();
  WorkFileAccess access{
      [&](const fs::path& file, std::string_view content) {
        return ++writes != failure.failingWrite && disk.write(file, content);
      },
      [&](const fs::path& file) -> std::optional<std::string> {
        if (++reads == failure.failingRead) return std::nullopt;
        return disk.read(file);
      },
      [&](const fs::path& file) { return disk.remove(file) && !failure.failingRemove; }};
  const auto result = RunTextCommand(TextCommand::SpreadWords, "%\r\nG0X1\r\n%\r\n",
                                     folder.path().string(), access);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.text.empty());
  EXPECT_NE(result.message.find(failure.expectedWord), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("Temp.$$$"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder.path() / "Temp.$$$"));
}

INSTANTIATE_TEST_SUITE_P(Steps, WorkFileFailureTest,
                         testing::Values(WorkFileFailure{"FirstWrite", 1, 0, false, "geschreven"},
                                         WorkFileFailure{"FirstRead", 0, 1, false, "gelezen"},
                                         WorkFileFailure{"SecondWrite", 2, 0, false, "geschreven"},
                                         WorkFileFailure{"SecondRead", 0, 2, false, "gelezen"},
                                         WorkFileFailure{"Delete", 0, 0, true, "verwijderd"}),
                         [](const testing::TestParamInfo<WorkFileFailure>& info) {
                           return info.param.name;
                         });

TEST(RunTextCommand, ProgramFolderThatIsAFileCannotHoldTheWorkFile) {
  test::TempFolder folder;
  const auto notAFolder = folder.write("plain.txt", "x");
  const auto result = RunTextCommand(TextCommand::SpreadWords, "G0X1\r\n", notAFolder);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("geschreven"), std::string::npos);
}

TEST(RunTextCommand, FolderInTheWayOfTheWorkFileIsLeftAlone) {
  test::TempFolder folder;
  fs::create_directory(folder.path() / "Temp.$$$");
  const auto result = RunTextCommand(TextCommand::SpreadWords, "G0X1\r\n", folder.path().string());
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(fs::is_directory(folder.path() / "Temp.$$$"));
}

std::string largeProgram(std::size_t bytes) {
  std::string text = "%\r\n:0001 ;\r\n";
  for (int i = 0; text.size() < bytes; ++i) {
    text += (i % 7 == 0)
                ? "(SCHRUPPEN)\r\n"
                : "N" + std::to_string(i % 9000) + " G01X" + std::to_string(i % 97) + ".5Z-3\r\n";
  }
  return text + "%\r\n";
}

std::size_t lineCount(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++count;
  return count;
}

TEST(RunTextCommand, TenMegabytesKeepEveryLine) {
  test::TempFolder folder;
  const auto text = largeProgram(10u * 1024u * 1024u);
  const auto lines = lineCount(text);

  const auto spread = RunTextCommand(TextCommand::SpreadWords, text, folder.path().string());
  ASSERT_TRUE(spread.ok) << spread.message;
  EXPECT_EQ(lineCount(spread.text), lines);
  EXPECT_NE(spread.text.find("\r\nN12 G01 X12.5 Z-3 ;\r\n"), std::string::npos);

  const auto removed =
      RunTextCommand(TextCommand::RemoveLineNumbers, spread.text, folder.path().string());
  ASSERT_TRUE(removed.ok) << removed.message;
  EXPECT_EQ(lineCount(removed.text), lines);
  EXPECT_NE(removed.text.find("\r\nG01 X12.5 Z-3 ;\r\n"), std::string::npos);

  // Far more lines than sequence numbers can count: refused, nothing lost.
  const auto numbered =
      RunTextCommand(TextCommand::AddLineNumbers, removed.text, folder.path().string());
  EXPECT_FALSE(numbered.ok);
  EXPECT_FALSE(fs::exists(folder.path() / "Temp.$$$"));
}

}  // namespace
}  // namespace draivo
