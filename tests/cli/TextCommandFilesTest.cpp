#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <filesystem>
#include <map>

#include "core/render/Transcript.h"
#include "run/FileHelpers.h"
#include "run/TextEncoding.h"
#include "support/DataTable.h"
#include "support/SimRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;

const fs::path EditorTranscripts =
    fs::path(DRAIVO_TEST_DATA_DIR).parent_path() / "core/editor/data";

const std::map<std::string, std::string> Options = {
    {"number", "--number"}, {"unnumber", "--unnumber"}, {"spread", "--spread"}};

// A text command the editor's transcripts ran on a whole text, and the text it gave.
struct EditorCase {
  std::string where;  // transcript and line
  std::string command;
  std::string text;
  std::string result;
};

std::string fileText(const Words& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The result lines printed after "N lines:", back in file form.
std::string printedResult(const std::string& printed) {
  Words lines = splitWords(printed);
  lines.erase(lines.begin(), lines.begin() + 2);
  return fileText(lines);
}

// Every "run COMMAND TEXT" with no failure put in, and every "rewrite COMMAND LINE...", whose
// result the transcript prints whole.
std::vector<EditorCase> editorCases() {
  std::vector<EditorCase> cases;
  for (const auto& entry : fs::directory_iterator(EditorTranscripts)) {
    const std::vector<std::string> lines = ReadLines(entry.path());
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
      if (!lines[i].starts_with("> ")) continue;
      const Words w = splitWords(lines[i].substr(2));
      const std::string where = entry.path().filename().string() + ":" + std::to_string(i + 1);
      if (w[0] == "run" && w.size() == 3 && w[2] != "@last" && lines[i + 1] == "ok") {
        const bool printed = i + 2 < lines.size() && !lines[i + 2].starts_with(">") &&
                             lines[i + 2].find(" lines:") != std::string::npos;
        if (printed && lines[i + 2].find(" ... ") != std::string::npos) continue;
        cases.push_back({where, w[1], w[2], printed ? printedResult(lines[i + 2]) : ""});
      } else if (w[0] == "rewrite" && lines[i + 1] != "refused") {
        cases.push_back({where, w[1], fileText(Words(w.begin() + 2, w.end())),
                         printedResult(lines[i + 1])});
      }
    }
  }
  return cases;
}

// draivo-sim --number, --unnumber and --spread write the file the editor's command gives
// (its transcripts are the reference), in the encoding the file was read in: UTF-8 and
// Windows-1252 alike, over the file itself or to -o.
TEST(DraivoSimTextCommands, WriteWhatTheEditorsCommandsGive) {
  const TempFolder folder;
  const std::vector<EditorCase> cases = editorCases();
  ASSERT_GE(cases.size(), 12u);
  int checked = 0;
  for (const EditorCase& c : cases) {
    for (const FileEncoding encoding : {FileEncoding::Utf8, FileEncoding::Windows1252}) {
      const EncodedText input = EncodeText(c.text, encoding);
      if (!input.unencodable.empty()) continue;
      const bool inPlace = checked % 2 == 0;
      const std::string file = folder.write("in.nc", input.bytes);
      const std::string output = inPlace ? file : (folder.path() / "out.nc").string();
      const std::string command = shellQuoted(DRAIVO_SIM) + " " + Options.at(c.command) +
                                  (inPlace ? "" : " -o {out}") + " {in}";
      const SimRun run = RunCommand(command, {{"{in}", file}, {"{out}", output}}, folder.path());
      EXPECT_EQ(run.status, 0) << c.where << run.err;
      EXPECT_EQ(readAll(output), EncodeText(c.result, encoding).bytes)
          << c.where << (encoding == FileEncoding::Utf8 ? " utf8" : " 1252");
      fs::remove(output);
      ++checked;
    }
  }
  EXPECT_GE(checked, 20);
}

// A file the command cannot handle is reported on its own line and left as it was, and
// nothing is written for it; the other files are still done.
TEST(DraivoSimTextCommands, LeaveWhatTheyCannotHandleUntouched) {
  const TempFolder folder;
  const std::string dir = folder.path().string();
  std::string many = "%\r\n:0001 ;\r\n";
  for (int i = 0; i < 7000; ++i) many += "G01 X" + std::to_string(i) + " ;\r\n";
  const std::map<std::string, std::string> files = {
      {"good.nc", "%\r\n:0001 ;\r\nG0X1\r\n%\r\n"},
      {"latin.nc", "%\r\n:0001 ;\r\nG0X1 (\xD8 20)\r\n%\r\n"},
      {"many.nc", many},
      {"bin.nc", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)}};
  std::string big(MaxProgramFileBytes + 1, ';');
  for (std::size_t i = 0; i < big.size(); i += 64) big[i] = '\n';
  const std::string bigFile = folder.write("big.nc", big);
  const auto bigTime = fs::last_write_time(bigFile);
  for (const auto& row : ReadTable("tables/draivo_sim_text_commands.rows")) {
    for (const auto& [name, content] : files) folder.write(name, content);
    fs::create_directories(folder.path() / "folder.nc");
    const Marks marks = {{"{dir}", dir}};
    const SimRun run = RunCommand(shellQuoted(DRAIVO_SIM) + " " + row.at(0), marks, folder.path(),
                                  row.at(1).empty() ? "/dev/null" : shellQuoted(dir + "/" + row.at(1)));
    EXPECT_EQ(run.status, std::stoi(row.at(2))) << row.at(0);
    EXPECT_EQ(run.out, substituted(row.at(3), marks)) << row.at(0);
    EXPECT_EQ(run.err, substituted(row.at(4), marks)) << row.at(0);
    // Every file not named as changed holds what it held.
    const std::string changed = row.size() > 5 ? row.at(5) : "";
    for (const auto& [name, content] : files) {
      if (changed.find(name) != std::string::npos) continue;
      EXPECT_EQ(readAll(folder.path() / name), content) << row.at(0) << " " << name;
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      const std::string name = entry.path().filename().string();
      if (!files.contains(name) && name != "folder.nc" && name != "big.nc" && name != "stdout" &&
          name != "stderr")
        left.push_back(name);
    }
    EXPECT_EQ(left, std::vector<std::string>(row.size() > 6 ? 1 : 0, row.size() > 6 ? row.at(6) : "")) << row.at(0);
    for (const auto& name : left) fs::remove(folder.path() / name);
  }
  EXPECT_EQ(fs::file_size(bigFile), big.size());
  EXPECT_EQ(fs::last_write_time(bigFile), bigTime);
}

}  // namespace
}  // namespace draivo::test

#endif
