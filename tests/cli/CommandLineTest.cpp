#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <filesystem>
#include <set>
#include <sstream>

#include "support/DataTable.h"
#include "support/SimRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

// The exit status, standard output and standard error of runs, also of bad usage: in the
// table {p} stands for a program of a feed move between two rapids, {m} for one that calls a
// missing subprogram, {dir} for their folder and {data} for the test data; standard output is
// compared with single blanks between words.
TEST(DraivoSim, PrintsWhatTheRunDid) {
  TempFolder folder;
  folder.write("p.nc",
               "T0101 ;\nG98 ;\nG00 X20 Z0 ;\nG01 Z-50 F100 ;\nX40 ;\nG00 X100 Z100 ;\nM30 ;\n");
  folder.write("m.nc", ":0012 ;\nG21 G42 G96 S180 ;\nM98 P1234 ;\nG99 F0.2 ;\n");
  const std::string dir = folder.path().string();
  const Marks marks = {{"{p}", dir + "/p.nc"}, {"{m}", dir + "/m.nc"}, {"{dir}", dir},
                       {"{data}", DataFolder().string()}};
  const auto linesOf = [&marks](const std::string& text) {
    return text.empty() ? std::vector<std::string>{} : WordLines(substituted(text, marks));
  };
  for (const auto& row : ReadTable("tables/draivo_sim.rows")) {
    const SimRun run = RunCommand(shellQuoted(DRAIVO_SIM) + " " + row.at(0), marks, folder.path());
    std::vector<std::string> err = TextLines(run.err);
    EXPECT_EQ(run.status, std::stoi(row.at(1))) << row.at(0);
    EXPECT_EQ(WordLines(run.out), linesOf(row.at(2))) << row.at(0);
    if (run.status == 2 && err.size() > 1) err.resize(1);  // the usage text follows
    EXPECT_EQ(err, linesOf(row.at(3))) << row.at(0);
  }
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "p.bmp"), 54 + (702 * 3 + 3) / 4 * 4 * 369);
  // The profile of the bar after the pass along Z: its outline in millimetres. The nose (R 0.4)
  // runs at r 10.4 to Z-49.6: the column at Z-49.995 keeps 10.4 - sqrt(R^2 - 0.395^2).
  const std::vector<std::string> svg = ReadLines(folder.path() / "p.svg");
  ASSERT_GE(svg.size(), 3u);
  EXPECT_NE(svg[1].find("width=\"88mm\""), std::string::npos) << svg[1];
  std::string outline;
  for (const auto& line : svg) {
    if (line.find("<polygon") != std::string::npos) outline += line;
  }
  EXPECT_NE(outline.find(" -50.005,-25 -49.995,-10.33695 "), std::string::npos) << outline.substr(0, 200);
}

// The options a text names: the words starting with "-" of the lines `isOptionLine` picks, up
// to the first two blanks in a row.
template <typename Pick>
std::set<std::string> optionsNamed(const std::vector<std::string>& lines, Pick isOptionLine) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!isOptionLine(lines, i)) continue;
    std::string line = lines[i].substr(0, lines[i].find("  ", 2));
    for (auto at = line.find("\\-"); at != std::string::npos; at = line.find("\\-")) line.replace(at, 2, "-");
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      word = word.substr(0, word.find_first_of(",\"\\"));
      if (word.starts_with("-")) names.insert(word);
    }
  }
  return names;
}

// --help and the manual page list the same options.
TEST(DraivoSim, HelpListsTheOptionsOfTheManualPage) {
  TempFolder folder;
  const SimRun help = RunCommand(shellQuoted(DRAIVO_SIM) + " --help", {}, folder.path());
  const std::vector<std::string> helpLines = TextLines(help.out);
  const auto inHelp = optionsNamed(helpLines, [](const auto& lines, std::size_t i) {
    return lines[i].starts_with("  -");
  });
  const auto manual = ReadLines(DataFolder().parent_path().parent_path() / "data/man/draivo-sim.1");
  bool inOptions = false;
  const auto inManual = optionsNamed(manual, [&](const auto& lines, std::size_t i) {
    if (lines[i].starts_with(".SH")) inOptions = lines[i] == ".SH OPTIONS";
    return inOptions && i > 0 && lines[i - 1] == ".TP";
  });
  EXPECT_EQ(help.status, 0);
  EXPECT_GE(inHelp.size(), 18u);
  EXPECT_EQ(inHelp, inManual);
}

}  // namespace
}  // namespace draivo::test

#endif
