#include <gtest/gtest.h>

#include <filesystem>

#include "run/FileHelpers.h"
#include "run/HeadlessRun.h"
#include "support/ScriptedHost.h"

namespace draivo::test {
namespace {

using Lines = std::vector<std::string>;

// A program or subprogram file that cannot be read ends the run with a message and the state
// of a run that ended: ready for the next one, no end message, and the caption of no earlier
// program.
TEST(RunLoop, AFileThatCannotBeReadEndsTheRunCleanly) {
  for (const std::string name : {"folder.nc", "missing.nc", "big.nc", "O1234.nc"}) {
    ScriptedRun r;
    r.open({":0012 ;"});
    const std::string path = (r.folder.path() / name).string();
    if (name == "folder.nc") std::filesystem::create_directory(path);
    if (name.ends_with("big.nc") || name == "O1234.nc") {
      std::filesystem::resize_file(r.folder.write(name, "G01 X3 ;"), MaxProgramFileBytes + 1);
    }
    r.host.messages.clear();
    r.host.labels.clear();
    Lines executed;
    r.sim.interpreter.onExecute = [&](const std::string& block) { executed.push_back(block); };
    r.host.dialogAnswer =
        name == "O1234.nc" ? r.write("main.nc", {"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"}) : path;
    r.sim.Open();
    EXPECT_EQ(r.host.messages, Lines{"Bestand niet leesbaar: " + path});
    EXPECT_EQ(executed, name == "O1234.nc" ? Lines{"G00 X1 ;"} : Lines{});
    EXPECT_EQ(r.sim.lastOutcome, RunOutcome::FileUnreadable);
    EXPECT_EQ(r.sim.caption, "Draivo");
    EXPECT_FALSE(r.sim.run.RunBusy);
    EXPECT_EQ(r.sim.run.SubprogramLevel, 0);
    EXPECT_TRUE(r.sim.menus.vernieuwEnabled);
    EXPECT_TRUE(r.host.labels.empty());
  }
}

// Open empties the value labels and clears the view, also when the dialog is cancelled, which
// runs nothing and keeps the last file for "Vernieuw".
TEST(RunLoop, OpenStartsFromEmptyLabelsAndAClearView) {
  ScriptedRun r;
  Surface fresh;
  ViewState freshView;
  ResetView(fresh, freshView);
  r.open({"G21 G42 ;", "G00 X0 Z0 ;", "G01 X20 Z-5 F0.2 ;"});
  EXPECT_NE(r.sim.picResult.pixels(), fresh.pixels());
  const std::string last = r.sim.dialogFileName;
  r.host.dialogAnswer = "";
  r.sim.Open();
  EXPECT_EQ(r.sim.dialogFileName, last);
  EXPECT_EQ(r.sim.lastOutcome, RunOutcome::None);
  EXPECT_EQ(r.sim.status.lblMeasureUnitV, "");
  EXPECT_EQ(r.host.labels.size(), 1u);  // only the first run ended
  r.write("program.nc", {"M05 ;"});
  r.sim.Vernieuw();
  EXPECT_EQ(r.sim.picResult.pixels(), fresh.pixels());
}

// Waits outside a run, also after one: 0 returns at once, others sleep on the host; after a
// quit request nothing waits, nothing starts and nothing is aborted.
TEST(RunControl, WaitsSleepOnTheHostUntilQuit) {
  ScriptedRun r;
  r.open({"G00 X1 ;"});
  const std::uint64_t clock = r.host.clock;
  const int waits = r.host.waitCalls;
  r.sim.WaitMilliseconds(0);
  r.sim.WaitMilliseconds(-5);
  r.sim.WaitMilliseconds(500);
  EXPECT_EQ(r.host.clock, clock + 500);
  EXPECT_EQ(r.host.waitCalls, waits + 1);
  r.sim.requestQuit();
  r.sim.WaitMilliseconds(1000);
  r.sim.Open();
  EXPECT_EQ(r.host.waitCalls, waits + 1);
  EXPECT_EQ(r.host.dialogs, 1);
}

// Without a budget of its own a run may take a hundred steps for every line of its longest
// program, and never fewer than two million.
TEST(HeadlessRun, StepBudgetScalesWithTheProgram) {
  for (const auto& [lines, budget] : {std::pair<std::size_t, std::uint64_t>{3, 2'000'000},
                                      std::pair<std::size_t, std::uint64_t>{25'000, 2'500'000}}) {
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

}  // namespace
}  // namespace draivo::test
