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

struct Outcome {
  int status = -1;
  std::vector<std::string> out;
  std::vector<std::string> err;
};

// Runs draivo-sim with the arguments (already quoted where needed).
Outcome runSim(const std::string& arguments) {
  TempFolder temp;
  const auto out = temp.path() / "stdout";
  const auto err = temp.path() / "stderr";
  const std::string command = quoted(DRAIVO_SIM) + " " + arguments + " >" + quoted(out.string()) +
                              " 2>" + quoted(err.string()) + " </dev/null";
  const int raw = std::system(command.c_str());
  Outcome outcome;
  if (WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
  outcome.out = ReadLines(out);
  outcome.err = ReadLines(err);
  return outcome;
}

struct UsageCase {
  const char* label;
  const char* arguments;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
  *os << c.label;
}

class BadUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(BadUsageTest, ExitsWithTwoAndExplains) {
  const Outcome outcome = runSim(GetParam().arguments);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_TRUE(outcome.out.empty());
  ASSERT_FALSE(outcome.err.empty());
  EXPECT_EQ(outcome.err[0].rfind("draivo-sim: ", 0), 0u) << outcome.err[0];
}

INSTANTIATE_TEST_SUITE_P(Arguments, BadUsageTest,
                         ::testing::Values(UsageCase{"no program", ""},
                                           UsageCase{"unknown option", "--fast a.nc"},
                                           UsageCase{"zoom too small", "--zoom 0.5 a.nc"},
                                           UsageCase{"zoom too large", "--zoom 20.5 a.nc"},
                                           UsageCase{"zoom not a number", "--zoom x a.nc"},
                                           UsageCase{"zoom with trailing text", "--zoom 3x a.nc"},
                                           UsageCase{"zoom without value", "a.nc --zoom"},
                                           UsageCase{"bmp without file", "a.nc --bmp"},
                                           UsageCase{"rapid rate zero", "--rapid-rate 0 a.nc"},
                                           UsageCase{"rapid rate not a number",
                                                     "--rapid-rate fast a.nc"},
                                           UsageCase{"no blocks at all", "--max-blocks 0 a.nc"},
                                           UsageCase{"negative blocks", "--max-blocks -5 a.nc"},
                                           UsageCase{"blocks not whole", "--max-blocks 5.5 a.nc"},
                                           UsageCase{"blocks without value", "a.nc --max-blocks"},
                                           UsageCase{"two programs", "a.nc b.nc"}));

TEST(DraivoSim, UnreadableProgramExitsWithOneNamingIt) {
  TempFolder folder;
  const std::string missing = (folder.path() / "missing.nc").string();
  const Outcome outcome = runSim(quoted(missing));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, std::vector<std::string>{"Bestand niet leesbaar: " + missing});

  const Outcome folderOutcome = runSim(quoted(folder.path().string()));
  EXPECT_EQ(folderOutcome.status, 1);
}

TEST(DraivoSim, HelpAndVersion) {
  const Outcome help = runSim("--help");
  EXPECT_EQ(help.status, 0);
  ASSERT_FALSE(help.out.empty());
  EXPECT_EQ(help.out[0], "Usage: draivo-sim [options] PROGRAM");
  const Outcome version = runSim("--version");
  EXPECT_EQ(version.status, 0);
  ASSERT_EQ(version.out.size(), 1u);
  EXPECT_EQ(version.out[0].rfind("draivo-sim ", 0), 0u);
}

TEST(DraivoSim, WritesThePictureAsA24BitBitmap) {
  TempFolder folder;
  const std::string program = folder.write("p.nc", "G00 X0 Z0 ;\nG01 Z-20 F0.2 ;\n");
  const std::string picture = (folder.path() / "p.bmp").string();
  const Outcome outcome = runSim("--zoom 2 --bmp " + quoted(picture) + " " + quoted(program));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(outcome.out.empty());  // no --trace, no --status
  constexpr std::uintmax_t RowBytes = (702 * 3 + 3) / 4 * 4;
  EXPECT_EQ(std::filesystem::file_size(picture), 54 + RowBytes * 369);

  const Outcome unwritable =
      runSim("--bmp " + quoted((folder.path() / "no" / "p.bmp").string()) + " " + quoted(program));
  EXPECT_EQ(unwritable.status, 1);
}

std::vector<std::string> wordsOf(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(DraivoSim, TimePrintsTheTableAtTheRapidRateGiven) {
  // 60 of feed at 100 mm/min; rapids of 250 and 150 along the longer axis at 4000 mm/min
  TempFolder folder;
  const std::string program =
      folder.write("p.nc", "T0101 ;\nG98 ;\nG00 X20 Z0 ;\nG01 Z-50 F100 ;\nX40 ;\n"
                           "G00 X100 Z100 ;\nM30 ;\n");
  const Outcome outcome = runSim("--time --rapid-rate 4000 " + quoted(program));
  EXPECT_EQ(outcome.status, 0);
  ASSERT_EQ(outcome.out.size(), 4u);
  EXPECT_EQ(wordsOf(outcome.out[0]),
            (std::vector<std::string>{"Gereedschap", "Voedingstijd", "IJlgangtijd", "Wachttijd",
                                      "Totale", "tijd", "Voedingsweg", "(mm)", "IJlgangweg",
                                      "(mm)"}));
  const std::vector<std::string> times{"0:00:36.0", "0:00:06.0", "0:00:00.0", "0:00:42.0",
                                       "60.00", "460.06"};
  std::vector<std::string> tool{"T0101"}, total{"Totaal"};
  tool.insert(tool.end(), times.begin(), times.end());
  total.insert(total.end(), times.begin(), times.end());
  EXPECT_EQ(wordsOf(outcome.out[1]), tool);
  EXPECT_EQ(wordsOf(outcome.out[2]), total);
  EXPECT_EQ(outcome.out[3], "IJlgang: 4000 mm/min");
}

TEST(DraivoSim, MaxBlocksStopsTheRunAndSaysSo) {
  TempFolder folder;
  const std::string program = folder.write("p.nc", "G00 X0 Z0 ;\nG01 Z-20 F0.2 ;\nM30 ;\n");
  // Blocks taken up count as well as blocks executed: the second block is not executed.
  const Outcome stopped = runSim("--trace --max-blocks 3 " + quoted(program));
  EXPECT_EQ(stopped.status, 3);
  EXPECT_EQ(stopped.out, std::vector<std::string>{"G00 X0 Z0 ;"});
  EXPECT_EQ(stopped.err,
            std::vector<std::string>{
                "draivo-sim: run stopped after 3 blocks (--max-blocks sets the limit)"});
  EXPECT_EQ(runSim("--max-blocks 6 " + quoted(program)).status, 0);
}

TEST(DraivoSim, DirectAndZoomChangeOnlyTheDrawing) {
  TempFolder folder;
  const std::string program = folder.write("p.nc", "G00 X0 Z0 ;\nG01 Z-20 F0.2 ;\nM30 ;\n");
  const Outcome plain = runSim("--trace " + quoted(program));
  const Outcome direct = runSim("--trace --direct --zoom 7.5 " + quoted(program));
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(direct.status, 0);
  EXPECT_EQ(plain.out, (std::vector<std::string>{"G00 X0 Z0 ;", "G01 Z-20 F0.2 ;", "M30 ;"}));
  EXPECT_EQ(direct.out, plain.out);
}

}  // namespace
}  // namespace draivo::test

#endif
