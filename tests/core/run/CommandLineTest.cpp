#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <filesystem>
#include <sstream>

#include "support/DataTable.h"
#include "support/SimRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

// draivo-sim with the arguments, in which {p} stands for a program of a feed move between two
// rapids, {m} for one that calls a missing subprogram, {dir} for their folder and {data} for
// the test data; standard output with single blanks between words.
std::pair<int, std::pair<std::vector<std::string>, std::vector<std::string>>> runSim(
    const std::string& arguments, const TempFolder& folder) {
  const std::string dir = folder.path().string();
  const Marks marks = {{"{p}", dir + "/p.nc"}, {"{m}", dir + "/m.nc"}, {"{dir}", dir},
                       {"{data}", DataFolder().string()}};
  const SimRun run = RunCommand(shellQuoted(DRAIVO_SIM) + " " + arguments, marks, folder.path());
  std::istringstream err(run.err);
  std::vector<std::string> errLines;
  for (std::string line; std::getline(err, line);) errLines.push_back(line);
  return {run.status, {WordLines(run.out), errLines}};
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
    auto [status, printed] = runSim(row.at(0), folder);
    auto& [out, err] = printed;
    EXPECT_EQ(status, std::stoi(row.at(1))) << row.at(0);
    EXPECT_EQ(out, linesOf(row.at(2))) << row.at(0);
    if (status == 2 && err.size() > 1) err.resize(1);  // the usage text follows
    EXPECT_EQ(err, linesOf(row.at(3))) << row.at(0);
  }
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "p.bmp"), 54 + (702 * 3 + 3) / 4 * 4 * 369);
}

}  // namespace
}  // namespace draivo::test

#endif
