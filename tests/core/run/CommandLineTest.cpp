#include <gtest/gtest.h>

#ifdef DRAIVO_SIM

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "GoldenCase.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Standard output with the blanks between words made single, so that table columns compare
// by their words.
std::vector<std::string> wordLines(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const auto& line : lines) {
    std::istringstream in(line);
    std::string words, word;
    while (in >> word) words += (words.empty() ? "" : " ") + word;
    out.push_back(words);
  }
  return out;
}

// draivo-sim with the arguments, in which {p} stands for a program of a feed move between two
// rapids and {dir} for a folder; the exit status, standard output and the first line of
// standard error.
TEST(DraivoSim, OptionsExitStatusAndOutput) {
  TempFolder folder;
  const std::string program = folder.write(
      "p.nc", "T0101 ;\nG98 ;\nG00 X20 Z0 ;\nG01 Z-50 F100 ;\nX40 ;\nG00 X100 Z100 ;\nM30 ;\n");
  const std::vector<std::string> trace = {"T0101 ;", "G98 ;", "G00 X20 Z0 ;", "G01 Z-50 F100 ;",
                                          "X40 ;", "G00 X100 Z100 ;", "M30 ;"};
  const std::string usage = "draivo-sim: ";
  const struct {
    std::string arguments;
    int status;
    std::vector<std::string> out;
    std::string err;  // the first line starts with it
  } cases[] = {
      {"", 2, {}, usage},
      {"--fast {p}", 2, {}, usage},
      {"--zoom 0.5 {p}", 2, {}, usage},
      {"--zoom 20.5 {p}", 2, {}, usage},
      {"--zoom x {p}", 2, {}, usage},
      {"--zoom 3x {p}", 2, {}, usage},
      {"{p} --zoom", 2, {}, usage},
      {"{p} --bmp", 2, {}, usage},
      {"--rapid-rate 0 {p}", 2, {}, usage},
      {"--rapid-rate fast {p}", 2, {}, usage},
      {"--max-blocks 0 {p}", 2, {}, usage},
      {"--max-blocks -5 {p}", 2, {}, usage},
      {"--max-blocks 5.5 {p}", 2, {}, usage},
      {"{p} --max-blocks", 2, {}, usage},
      {"{p} {p}", 2, {}, usage},
      {"{dir}/missing.nc", 1, {}, "Bestand niet leesbaar: " + folder.path().string() + "/missing.nc"},
      {"{dir}", 1, {}, "Bestand niet leesbaar: " + folder.path().string()},
      {"--bmp {dir}/no/p.bmp {p}", 1, {}, ""},
      {"--help", 0, {"Usage: draivo-sim [options] PROGRAM"}, ""},
      {"--trace {p}", 0, trace, ""},
      {"--trace --direct --zoom 7.5 {p}", 0, trace, ""},
      // blocks taken up count as well as blocks executed: the third is not executed
      {"--trace --max-blocks 5 {p}", 3, {"T0101 ;", "G98 ;"},
       "draivo-sim: run stopped after 5 blocks (--max-blocks sets the limit)"},
      {"--max-blocks 14 {p}", 0, {}, ""},
      // 50 of feed at 100 mm/min, and 10 more; rapids of 250 and 150 along the longer axis at
      // 4000 mm/min
      {"--time --rapid-rate 4000 {p}", 0,
       {"Gereedschap Voedingstijd IJlgangtijd Wachttijd Totale tijd Voedingsweg (mm) IJlgangweg (mm)",
        "T0101 0:00:36.0 0:00:06.0 0:00:00.0 0:00:42.0 60.00 460.06",
        "Totaal 0:00:36.0 0:00:06.0 0:00:00.0 0:00:42.0 60.00 460.06", "IJlgang: 4000 mm/min"},
       ""},
  };
  for (const auto& c : cases) {
    std::string arguments = c.arguments;
    for (const auto& [mark, text] : {std::pair<std::string, std::string>{"{p}", quoted(program)},
                                     {"{dir}", quoted(folder.path().string())}}) {
      for (auto at = arguments.find(mark); at != std::string::npos; at = arguments.find(mark)) {
        arguments.replace(at, mark.size(), text);
      }
    }
    const auto out = folder.path() / "stdout";
    const auto err = folder.path() / "stderr";
    const std::string command = quoted(DRAIVO_SIM) + " " + arguments + " >" +
                                quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;
    EXPECT_EQ(WEXITSTATUS(raw), c.status) << c.arguments;
    const auto outLines = wordLines(ReadLines(out));
    const auto errLines = ReadLines(err);
    if (c.arguments == "--help") {
      EXPECT_EQ(outLines.at(0), c.out.at(0));
    } else {
      EXPECT_EQ(outLines, c.out) << c.arguments;
    }
    EXPECT_EQ(errLines.empty() ? "" : errLines[0].substr(0, c.err.size()), c.err) << c.arguments;
    EXPECT_TRUE(!c.err.empty() || c.status == 1 || errLines.empty()) << c.arguments;
  }
  const std::string picture = (folder.path() / "p.bmp").string();
  ASSERT_EQ(std::system((quoted(DRAIVO_SIM) + " --zoom 2 --bmp " + quoted(picture) + " " +
                         quoted(program)).c_str()),
            0);
  EXPECT_EQ(std::filesystem::file_size(picture), 54 + (702 * 3 + 3) / 4 * 4 * 369);
}

}  // namespace
}  // namespace draivo::test

#endif
