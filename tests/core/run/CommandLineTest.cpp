#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/DataTable.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

struct SimRun {
  int status = -1;
  std::vector<std::string> out, err;
};

// draivo-sim with the arguments, in which {p} stands for a program of a feed move between two
// rapids, {m} for one that calls a missing subprogram, {dir} for their folder and {data} for
// the test data; standard output with single blanks between words.
SimRun runSim(std::string arguments, const TempFolder& folder) {
  const std::string dir = folder.path().string();
  for (const auto& [mark, file] : {std::pair<std::string, std::string>{"{p}", dir + "/p.nc"},
                                   {"{m}", dir + "/m.nc"},
                                   {"{dir}", dir},
                                   {"{data}", DataFolder().string()}}) {
    const std::string path = quoted(file);
    for (auto at = arguments.find(mark); at != std::string::npos; at = arguments.find(mark)) {
      arguments.replace(at, mark.size(), path);
    }
  }
  const auto out = folder.path() / "stdout", err = folder.path() / "stderr";
  const int raw = std::system((quoted(DRAIVO_SIM) + " " + arguments + " >" + quoted(out.string()) +
                               " 2>" + quoted(err.string()) + " </dev/null")
                                  .c_str());
  std::string printed;
  for (const auto& line : ReadLines(out)) printed += line + "\n";
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, WordLines(printed), ReadLines(err)};
}

// The exit status, standard output and standard error of runs, also of bad usage.
TEST(DraivoSim, PrintsWhatTheRunDid) {
  TempFolder folder;
  folder.write("p.nc",
               "T0101 ;\nG98 ;\nG00 X20 Z0 ;\nG01 Z-50 F100 ;\nX40 ;\nG00 X100 Z100 ;\nM30 ;\n");
  folder.write("m.nc", ":0012 ;\nG21 G42 G96 S180 ;\nM98 P1234 ;\nG99 F0.2 ;\n");
  const auto linesOf = [&folder](std::string text) {
    for (const auto& [mark, path] :
         {std::pair<std::string, std::string>{"{dir}", folder.path().string()},
          {"{data}", DataFolder().string()}}) {
      for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
        text.replace(at, mark.size(), path);
      }
    }
    return text.empty() ? std::vector<std::string>{} : WordLines(text);
  };
  for (const auto& row : ReadTable("tables/draivo_sim.rows")) {
    SimRun run = runSim(row.at(0), folder);
    EXPECT_EQ(run.status, std::stoi(row.at(1))) << row.at(0);
    EXPECT_EQ(run.out, linesOf(row.at(2))) << row.at(0);
    if (run.status == 2 && run.err.size() > 1) run.err.resize(1);  // the usage text follows
    EXPECT_EQ(run.err, linesOf(row.at(3))) << row.at(0);
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

}  // namespace
}  // namespace draivo::test

#endif
