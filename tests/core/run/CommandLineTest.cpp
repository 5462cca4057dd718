#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "GoldenCase.h"
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
// rapids, {m} for one that calls a missing subprogram and {dir} for their folder; standard
// output with single blanks between words.
SimRun runSim(std::string arguments, const TempFolder& folder) {
  const std::string dir = folder.path().string();
  for (const auto& [mark, file] : {std::pair<std::string, std::string>{"{p}", dir + "/p.nc"},
                                   {"{m}", dir + "/m.nc"},
                                   {"{dir}", dir}}) {
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

TEST(DraivoSim, RefusesBadUsageWithTwo) {
  TempFolder folder;
  for (const char* arguments :
       {"", "--fast {p}", "--zoom 0.5 {p}", "--zoom 20.5 {p}", "--zoom x {p}", "--zoom 3x {p}",
        "{p} --zoom", "{p} --bmp", "--rapid-rate 0 {p}", "--rapid-rate fast {p}",
        "--max-blocks 0 {p}", "--max-blocks -5 {p}", "--max-blocks 5.5 {p}", "{p} --max-blocks",
        "{p} {p}"}) {
    const SimRun run = runSim(arguments, folder);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_TRUE(run.out.empty()) << arguments;
    EXPECT_TRUE(!run.err.empty() && run.err[0].starts_with("draivo-sim: ")) << arguments;
  }
}

// The exit status, standard output and standard error of runs.
TEST(DraivoSim, PrintsWhatTheRunDid) {
  TempFolder folder;
  folder.write("p.nc",
               "T0101 ;\nG98 ;\nG00 X20 Z0 ;\nG01 Z-50 F100 ;\nX40 ;\nG00 X100 Z100 ;\nM30 ;\n");
  folder.write("m.nc", ":0012 ;\nG21 G42 G96 S180 ;\nM98 P1234 ;\nG99 F0.2 ;\n");
  const std::vector<std::string> trace = {
      "T0101 ;", "G98 ;", "G00 X20 Z0 ;", "G01 Z-50 F100 ;", "X40 ;", "G00 X100 Z100 ;", "M30 ;"};
  const std::string dir = folder.path().string();
  const struct {
    std::string arguments;
    int status;
    std::vector<std::string> out, err;
  } cases[] = {
      {"{dir}/missing.nc", 1, {}, {"Bestand niet leesbaar: " + dir + "/missing.nc"}},
      {"--trace {p}", 0, trace, {}},
      {"--trace --direct --zoom 7.5 {p}", 0, trace, {}},
      {"--trace --status {m}",
       0,
       {":0012 ;", "G21 G42 G96 S180 ;", "G99 F0.2 ;", "Alle maten in : Millimeters",
        "Radiuscompensatie : Rechts", "Max toerental :", "Constant snijsnelheid : 180",
        "Voeding : 0.2 mm/tr"},
       {"Bestand niet gevonden: " + dir + "/O1234.nc"}},
      // blocks taken up count as well as blocks executed: the third is not executed
      {"--trace --max-blocks 5 {p}",
       3,
       {"T0101 ;", "G98 ;"},
       {"draivo-sim: run stopped after 5 blocks (--max-blocks sets the limit)"}},
      {"--max-blocks 14 {p}", 0, {}, {}},
      // 50 of feed at 100 mm/min, and 10 more; rapids of 250 and 150 along the longer axis at
      // 4000 mm/min, their paths a 45 degree leg and a straight line
      {"--time --rapid-rate 4000 {p}",
       0,
       {"Gereedschap Voedingstijd IJlgangtijd Wachttijd Totale tijd Voedingsweg (mm) IJlgangweg "
        "(mm)",
        "T0101 0:00:36.0 0:00:06.0 0:00:00.0 0:00:42.0 60.00 460.06",
        "Totaal 0:00:36.0 0:00:06.0 0:00:00.0 0:00:42.0 60.00 460.06", "IJlgang: 4000 mm/min"},
       {}},
      {"--bmp {dir}/no/p.bmp {p}",
       1,
       {},
       {"draivo-sim: cannot write the picture " + dir + "/no/p.bmp"}},
  };
  for (const auto& c : cases) {
    const SimRun run = runSim(c.arguments, folder);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_EQ(run.out, c.out) << c.arguments;
    EXPECT_EQ(run.err, c.err) << c.arguments;
  }
  EXPECT_EQ(runSim("--help", folder).out.at(0), "Usage: draivo-sim [options] PROGRAM");
  EXPECT_EQ(runSim("--zoom 2 --bmp {dir}/p.bmp {p}", folder).status, 0);
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "p.bmp"), 54 + (702 * 3 + 3) / 4 * 4 * 369);
}

}  // namespace
}  // namespace draivo::test

#endif
