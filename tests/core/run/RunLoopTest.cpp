#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "RunFixture.h"
#include "render/Colour.h"
#include "run/FileHelpers.h"
#include "run/HeadlessRun.h"
#include "support/SurfaceReader.h"

namespace draivo::test {
namespace {

using Lines = std::vector<std::string>;

// Program texts that no run may crash or hang on.
struct HostileCase {
  const char* label;
  std::string text;
};

void PrintTo(const HostileCase& c, std::ostream* os) {
  *os << c.label;
}

std::string randomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text(count, '\0');
  for (char& c : text) c = static_cast<char>(byte(random));
  return text;
}

std::string longLine(char fill, std::size_t length) {
  return std::string(length, fill) + "\n";
}

class HostileProgramTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileProgramTest, RunReachesItsEnd) {
  TempFolder folder;
  HeadlessOptions options;
  options.stepBudget = 200000;
  const HeadlessResult result = RunHeadless(folder.write("program.nc", GetParam().text), options);
  EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd);
  EXPECT_FALSE(result.budgetExhausted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HostileProgramTest,
    ::testing::Values(HostileCase{"empty file", ""}, HostileCase{"only a line break", "\r\n"},
                      HostileCase{"random bytes", randomBytes(4096, 1)},
                      HostileCase{"random bytes without line breaks",
                                  [] {
                                    std::string text = randomBytes(4096, 2);
                                    for (char& c : text) {
                                      if (c == '\r' || c == '\n') c = 'x';
                                    }
                                    return text;
                                  }()},
                      HostileCase{"NUL bytes", std::string("G01\0X5\0;\nG00 X\0 ;\n", 18)},
                      HostileCase{"long line of digits",
                                  "G01 X" + std::string(100000, '7') + " ;\n"},
                      HostileCase{"long line of letters", longLine('G', 100000)},
                      HostileCase{"long line of blanks", "G01" + longLine(' ', 100000)},
                      HostileCase{"long comment", "(" + longLine('A', 100000)},
                      HostileCase{"long word list",
                                  [] {
                                    std::string text;
                                    for (int i = 0; i < 20000; ++i) text += "X1 ";
                                    return text + ";\n";
                                  }()},
                      HostileCase{"M98 without P", "M98 ;\nG00 X1 ;\n"}));

TEST(RunLoop, AFolderGivenAsProgramEndsTheRunWithAMessage) {
  RunFixture f;
  f.host.dialogAnswer = f.folder.path().string();
  f.sim.Open();
  EXPECT_EQ(f.host.messages, Lines{"Bestand niet leesbaar: " + f.folder.path().string()});
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::FileUnreadable);
  EXPECT_FALSE(f.sim.run.RunBusy);
  EXPECT_EQ(f.sim.run.SubprogramLevel, 0);
  EXPECT_TRUE(f.sim.menus.vernieuwEnabled);
  EXPECT_TRUE(f.host.nullPointChanges.empty());
}

TEST(RunLoop, AMissingProgramEndsTheRunWithAMessage) {
  const HeadlessResult result = RunHeadless("/nonexistent/folder/program.nc", {});
  EXPECT_EQ(result.exit(), HeadlessExit::FileUnreadable);
  EXPECT_EQ(result.messages, Lines{"Bestand niet leesbaar: /nonexistent/folder/program.nc"});
}

TEST(RunLoop, ASubprogramThatIsAFolderIsNotFound) {
  RunFixture f;
  std::filesystem::create_directory(f.folder.path() / "O1234.nc");
  Lines executed;
  f.sim.interpreter.onExecute = [&](const std::string& block) { executed.push_back(block); };
  f.open({"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"});
  EXPECT_EQ(f.host.messages,
            Lines{"Bestand niet gevonden: " + (f.folder.path() / "O1234.nc").string()});
  EXPECT_EQ(f.host.messageIcons, std::vector<MessageIcon>{MessageIcon::Information});
  EXPECT_EQ(executed, (Lines{"G00 X1 ;", "G00 X2 ;"}));
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::ReachedEnd);
}

TEST(RunLoop, AnUnreadableSubprogramEndsTheRunWithAMessage) {
  RunFixture f;
  const std::string oversized = f.folder.write("O1234.nc", "G01 X3 ;\n");
  std::filesystem::resize_file(oversized, MaxProgramFileBytes + 1);  // sparse: no real data
  std::vector<std::string> executed;
  f.sim.interpreter.onExecute = [&](const std::string& block) { executed.push_back(block); };
  f.open({"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"});
  EXPECT_EQ(f.host.messages, std::vector<std::string>{"Bestand niet leesbaar: " + oversized});
  EXPECT_EQ(executed, std::vector<std::string>{"G00 X1 ;"});
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::FileUnreadable);
  EXPECT_FALSE(f.sim.run.RunBusy);
  EXPECT_EQ(f.sim.run.SubprogramLevel, 0);
}

TEST(RunLoop, TooDeepNestingEndsTheRunCleanly) {
  RunFixture f;
  f.writeProgram("O0001.nc", {"G01 X1 ;", "M98 P0001 ;"});
  int deepest = 0;
  f.sim.onBlock = [&](const std::string&) {
    deepest = std::max(deepest, f.sim.run.SubprogramLevel);
  };
  f.open({"M98 P0001 ;", "G00 X2 ;"});
  EXPECT_EQ(deepest, Simulator::MaxNestingDepth);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0], "Programmafout: Te veel geneste subprogramma's (meer dan 32): " +
                                    (f.folder.path() / "O0001.nc").string());
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::NestingTooDeep);
  EXPECT_FALSE(f.sim.run.RunBusy);
  EXPECT_EQ(f.sim.run.SubprogramLevel, 0);
  EXPECT_EQ(f.sim.run.ProgramFile.size(), 1u);

  f.sim.Vernieuw();  // the simulator is ready for the next run
  EXPECT_EQ(f.host.messages.size(), 2u);
}

TEST(RunLoop, CallerLinesAreShownAgainAfterTheSubprogram) {
  RunFixture f;
  f.writeProgram("O1234.nc", {"G01 X3 ;", "G01 X4 ;"});
  Lines listAfterCall;
  f.sim.onBlock = [&](const std::string& block) {
    if (block != "G00 X2 ;") return;
    for (int i = 0; i < f.sim.lstCommands.ListCount(); ++i) {
      listAfterCall.emplace_back(f.sim.lstCommands.List(i));
    }
  };
  f.open({"G00 X1 ;", "M98 P21234 ;", "G00 X2 ;"});
  EXPECT_EQ(listAfterCall, (Lines{"G00 X1 ;", "M98 P21234 ;", "G00 X2 ;"}));
  EXPECT_EQ(f.sim.lstCommands.ListIndex(), 2);
}

TEST(RunLoop, RepeatedPassesRestartAtTheFirstBlock) {
  RunFixture f;
  f.writeProgram("O1234.nc", {"G01 X3 ;", "G01 X4 ;"});
  Lines seen;
  f.sim.onBlock = [&](const std::string& block) {
    seen.push_back(std::to_string(f.sim.run.SubprogramLevel) + " " + block);
  };
  f.open({"M98 P31234 ;"});
  EXPECT_EQ(seen, (Lines{"1 M98 P31234 ;", "2 G01 X3 ;", "2 G01 X4 ;", "2 G01 X3 ;", "2 G01 X4 ;",
                         "2 G01 X3 ;", "2 G01 X4 ;"}));
}

// The caption names the program that was opened, never one opened before or a subprogram.
TEST(RunLoop, CaptionFollowsTheProgramNumber) {
  RunFixture f;
  EXPECT_EQ(f.sim.caption, "Draivo");
  f.open({":0012 ;", "G00 X1 ;"});
  EXPECT_EQ(f.sim.caption, "Draivo O0012.nc");
  f.open({"G00 X1 ;"});
  EXPECT_EQ(f.sim.caption, "Draivo");
  f.writeProgram("O1234.nc", {":1234 ;", "G01 X3 ;"});
  std::string duringCall;
  f.sim.onBlock = [&](const std::string& block) {
    if (block == "G01 X3 ;") duringCall = f.sim.caption;
  };
  f.open({"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"});
  EXPECT_EQ(duringCall, "Draivo O1234.nc");
  EXPECT_EQ(f.sim.caption, "Draivo");
  f.open({":0012 ;", "G00 X1 ;"});
  f.host.dialogAnswer = f.folder.path().string() + "/missing.nc";
  f.sim.Open();
  EXPECT_EQ(f.sim.caption, "Draivo");
}

TEST(RunLoop, CancelledDialogRunsNothingAndKeepsTheLastFile) {
  RunFixture f;
  f.open({"G00 X1 ;"});
  const std::string last = f.sim.dialogFileName;
  f.host.dialogAnswer = "";
  f.sim.Open();
  EXPECT_EQ(f.sim.dialogFileName, last);
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::None);
  EXPECT_FALSE(f.sim.run.RunBusy);
  EXPECT_EQ(f.sim.run.SubprogramLevel, 0);
  EXPECT_EQ(f.host.nullPointChanges.size(), 2u);  // only the first run ended
}

TEST(RunLoop, OpenEmptiesTheValueLabelsAndResetsTheView) {
  RunFixture f;
  Surface fresh;
  ViewState freshView;
  ResetView(fresh, freshView);
  f.open({"G21 G42 ;", "G99 ;", "G00 X0 Z0 ;", "G01 X20 Z-5 F0.2 ;"});
  EXPECT_EQ(f.sim.status.lblMeasureUnitV, "Millimeters");
  EXPECT_NE(f.sim.picResult.pixels(), fresh.pixels());
  f.writeProgram("program.nc", {"M05 ;"});  // draws nothing and sets no label
  f.sim.Vernieuw();
  EXPECT_EQ(f.sim.status.lblMeasureUnitV, "");
  EXPECT_EQ(f.sim.status.lblFeedV, "");
  EXPECT_EQ(f.sim.picResult.pixels(), fresh.pixels());
}

TEST(RunLoop, PicturesHaveTheirBackgrounds) {
  RunFixture f;
  for (const Surface* picture :
       {&f.sim.picResult, &f.sim.picCalculate, &f.sim.picZoom, &f.sim.picSave}) {
    EXPECT_EQ(picture->width(), 702);
    EXPECT_EQ(picture->height(), 369);
  }
  EXPECT_EQ(f.sim.picCalculate.backColour(), White);
  EXPECT_EQ(f.sim.picResult.backColour(), ButtonFace);
  EXPECT_EQ(f.sim.picSave.backColour(), ButtonFace);
  EXPECT_GT(CountPixels(f.sim.picResult, Blue), 0);  // the axis cross
}

TEST(RunLoop, DrawingPausesWaitTheSpeedDelay) {
  RunFixture f;
  f.host.direct = false;
  f.sim.setSpeedValue(3);
  f.open({"G00 X0 Z0 ;", "G01 Z-10 F0.2 ;"});
  int pixelWaits = 0;
  for (int request : f.host.waitRequests) pixelWaits += request == 3 ? 1 : 0;
  EXPECT_GT(pixelWaits, 20);  // 10 mm at 3.4 pixels per millimetre
}

TEST(HeadlessRun, StepBudgetStopsAnEndlessProgram) {
  TempFolder folder;
  folder.write("O1234.nc", "G01 X1 ;\nM98 P99991235 ;\n");
  folder.write("O1235.nc", "G01 X2 ;\n");  // 9999 x 9999 passes in all
  HeadlessOptions options;
  options.stepBudget = 5000;
  const HeadlessResult result =
      RunHeadless(folder.write("program.nc", "M98 P99991234 ;\n"), options);
  EXPECT_TRUE(result.budgetExhausted);
  EXPECT_EQ(result.exit(), HeadlessExit::Stopped);
  EXPECT_LE(result.trace.size(), 5000u);
}

// Without a budget of its own a run may take a hundred steps for every line of its longest
// program, and never fewer than two million.
TEST(HeadlessRun, StepBudgetScalesWithTheProgram) {
  const std::pair<std::size_t, std::uint64_t> cases[] = {{3, 2'000'000}, {25'000, 2'500'000}};
  for (const auto& [lines, budget] : cases) {
    TempFolder folder;
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) text += "G01 X1 ;\n";
    folder.write("O1234.nc", text);
    HeadlessOptions options;
    options.collectTrace = false;
    const HeadlessResult result =
        RunHeadless(folder.write("program.nc", "G00 X2 ;\nM98 P1234 ;\n"), options);
    EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd);
    EXPECT_EQ(result.stepBudget, budget) << lines << " lines";
  }
}

// A caller that changed on disk while its subprogram ran is read again on the return; one
// that did not change may be taken from what was loaded.
TEST(RunLoop, CallerChangedDuringTheSubprogramIsReadAgain) {
  RunFixture f;
  f.writeProgram("O1234.nc", {"G01 X3 ;"});
  const std::string main = f.writeProgram("program.nc", {"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"});
  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(main, past);
  Lines trace;
  f.sim.interpreter.onExecute = [&](const std::string& block) { trace.push_back(block); };
  f.sim.onBlock = [&](const std::string& block) {
    if (block != "G01 X3 ;") return;
    f.writeProgram("program.nc", {"G00 X1 ;", "M98 P1234 ;", "G00 X7 ;"});
    std::filesystem::last_write_time(main, past + std::chrono::seconds(1));
  };
  f.host.dialogAnswer = main;
  f.sim.Open();
  EXPECT_EQ(trace, (Lines{"G00 X1 ;", "G01 X3 ;", "G00 X7 ;"}));
}

TEST(HeadlessRun, ZoomScalesTheDrawing) {
  TempFolder folder;
  const std::string program = folder.write("program.nc", "G00 X0 Z0 ;\nG01 Z-50 F0.2 ;\n");
  HeadlessOptions small;
  small.zoom = 1.0;
  HeadlessOptions large;
  large.zoom = 5.0;
  const int smallPixels = CountPixels(RunHeadless(program, small).picture, Black);
  const int largePixels = CountPixels(RunHeadless(program, large).picture, Black);
  EXPECT_GT(smallPixels, 40);
  EXPECT_GT(largePixels, 4 * smallPixels);
}

TEST(HeadlessRun, StatusRowsAreInPanelOrder) {
  MachineStatus status;
  status.lblMeasureUnitV = "Duim";
  status.lblRadCompV = "Links";
  status.lblMaxSpeedV = "3000";
  status.lblConstant = "Constant toerental :";
  status.lblConstantV = "1200";
  status.lblFeedV = "0.1 mm/tr";
  const auto rows = StatusRows(status);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].caption + rows[0].value, "Alle maten in :Duim");
  EXPECT_EQ(rows[1].caption + rows[1].value, "Radiuscompensatie :Links");
  EXPECT_EQ(rows[2].caption + rows[2].value, "Max toerental :3000");
  EXPECT_EQ(rows[3].caption + rows[3].value, "Constant toerental :1200");
  EXPECT_EQ(rows[4].caption + rows[4].value, "Voeding :0.1 mm/tr");
}

}  // namespace
}  // namespace draivo::test
