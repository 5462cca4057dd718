#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "design/ProgramEnd.h"
#include "design/ToolBlocks.h"
#include "editor/TextFiles.h"
#include "nc/BlockText.h"
#include "run/ProgramFileCheck.h"
#include "run/ProgramLoader.h"
#include "support/DataTable.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The small files of other kinds kept as data: a PNG, a PDF, an ELF executable, a zip and a
// program written as UTF-16 text.
std::vector<fs::path> otherFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(DataFolder() / "program_files")) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The example programs, and a design file as the design mode writes it.
std::vector<fs::path> programFiles(const TempFolder& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(DRAIVO_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".nc") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  files.emplace_back(folder.write(
      "T0000.Nc", BuildToolText(ToolFields{}, true) + "G00 X40 Z2 ;\r\n" + ProgramEndText()));
  return files;
}

Lines blocksOf(const BlockTexts& texts) {
  Lines lines;
  for (std::size_t i = 0; i < texts.size(); ++i) lines.emplace_back(texts[i]);
  return lines;
}

// A NUL byte, or more than one byte in twenty a control character that program files do not
// carry, refuses the bytes however they are handed over.
TEST(ProgramTextCheck, RefusesNulBytesAndControlCharacters) {
  for (const auto& row : ReadTable("tables/program_text.rows")) {
    const std::string& bytes = row.at(0);
    const bool accepted = row.at(1) == "1";
    const std::string shown = ::testing::PrintToString(bytes);
    EXPECT_EQ(IsProgramText(bytes), accepted) << shown;
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      ProgramTextCheck check;
      check.add(std::string_view(bytes).substr(0, cut));
      check.add(std::string_view(bytes).substr(cut));
      EXPECT_EQ(check.passed(), accepted) << shown << " cut at " << cut;
    }
  }
}

TEST(ReplaceControlCharacters, ReplacesEveryControlCharacterWhole) {
  // The text is a view into a longer buffer whose next byte would complete a C1 control:
  // nothing past the view's end may count.
  for (const auto& row : ReadTable("tables/control_characters.rows")) {
    const std::string buffer = row.at(0) + "\x85";
    const auto text = std::string_view(buffer).substr(0, row.at(0).size());
    EXPECT_EQ(ReplaceControlCharacters(text, "_"), row.at(1)) << row.at(0);
  }
}

// Files of other kinds are refused by the loader and by its check of a file chosen during a
// run, in chunks of any size, and by the editor, with the message that names them; program
// files, also the design mode's, are taken.
TEST(ProgramFiles, OtherFilesAreRefusedAndProgramsTaken) {
  ASSERT_EQ(otherFiles().size(), 5u);
  for (const fs::path& file : otherFiles()) {
    for (const std::size_t chunk : {std::size_t{1} << 20, std::size_t{7}}) {
      const ProgramFileLoad load = LoadProgramFile(file.string(), chunk);
      EXPECT_FALSE(load.program) << file;
      EXPECT_EQ(load.failure, LoadFailure::NotAProgram) << file;
      EXPECT_EQ(CheckProgramFile(file.string(), chunk), LoadFailure::NotAProgram) << file;
    }
    const FileResult read = ReadTextFile(file.string());
    EXPECT_FALSE(read.ok) << file;
    EXPECT_EQ(read.message, NotAProgramMessage(file.string()));
  }
  EXPECT_EQ(NotAProgramMessage("/p/a.png"),
            "Het bestand \"/p/a.png\" is geen NC-programma: het bevat binaire gegevens in plaats "
            "van tekst.");

  TempFolder folder;
  for (const fs::path& file : programFiles(folder)) {
    const ProgramFileLoad load = LoadProgramFile(file.string(), 7);
    ASSERT_TRUE(load.program) << file;
    EXPECT_EQ(load.failure, LoadFailure::None);
    EXPECT_EQ(CheckProgramFile(file.string(), 7), LoadFailure::None) << file;
    EXPECT_GT(load.program->blocks->size(), 2u) << file;
    EXPECT_TRUE(ReadTextFile(file.string()).ok) << file;
  }
  const Lines design =
      blocksOf(*LoadProgramFile((folder.path() / "T0000.Nc").string()).program->blocks);
  EXPECT_EQ(design.back(), "M30 ;");  // the start line skipped, loading ended at the end line
  EXPECT_EQ(design.front().find('\x1B'), std::string::npos);
}

}  // namespace
}  // namespace draivo::test
