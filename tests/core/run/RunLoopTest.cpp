#include <gtest/gtest.h>

#include <filesystem>

#include "run/HeadlessRun.h"
#include "run/RunControl.h"
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
      // One byte past the 64 MiB the message names.
      std::filesystem::resize_file(r.folder.write(name, "G01 X3 ;"), (64u << 20) + 1);
    }
    r.host.messages.clear();
    r.host.labels.clear();
    Lines executed;
    const auto tracing =
        r.sim.interpreter.onExecute.connect([&](const std::string& block) { executed.push_back(block); });
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

// Before any program is opened no run is active, nothing waits and "Starten", "Vernieuw" and
// "Figuur opslaan" are disabled; the list is empty and the buttons show a machine at rest, the
// start button ready for a click.
TEST(RunLoop, BeforeAnyProgramNothingIsOffered) {
  ScriptedRun r;
  r.sim.startupTimer();
  const Simulator& s = r.sim;
  EXPECT_FALSE(s.menus.startenEnabled);
  EXPECT_FALSE(s.menus.vernieuwEnabled);
  EXPECT_FALSE(s.menus.figuurOpslaanEnabled);
  EXPECT_FALSE(s.menus.optioneelChecked);
  EXPECT_FALSE(s.menus.stapChecked);
  EXPECT_TRUE(s.menus.startButtonEnabled);
  EXPECT_EQ(s.run.SubprogramLevel, 0);
  EXPECT_FALSE(s.run.RunBusy || s.run.RerunRequest || s.StartPressed || s.StopLatch);
  EXPECT_FALSE(s.status.nullPointVisible);
  EXPECT_EQ(ListPosition(s.lstCommands), "-1 0 0");
  EXPECT_EQ(ImageNames(s.indicators), "idle stopped-m03 off");
  EXPECT_EQ(r.host.stale, Lines{});
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

  // A file the window names (from its command line or design mode) runs without the dialog.
  const std::string named = r.write("named.nc", {"G00 X1 ;"});
  r.sim.OpenFile(named);
  EXPECT_EQ(r.host.dialogs, 2);
  EXPECT_EQ(r.sim.lastOutcome, RunOutcome::ReachedEnd);
  EXPECT_EQ(r.sim.dialogFileName, named);
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

struct StopCase {
  const char* name;
  std::vector<std::string> program;
  int speed;             // the pause per pixel
  std::uint64_t stopAt;  // clock of the first wait at which "Stoppen" is asked for
  Lines executed;        // what ran before the run ended
  bool quitToo = false;  // the window is closed at that wait as well
};

// "Stoppen" ends the run at its next wait, wherever it waits: the picture stays as drawn, the
// start button shows idle, "Vernieuw" and "Figuur opslaan" are offered and the next Open
// runs. Closing the window at the same time still closes it. Between runs it does nothing.
TEST(RunControl, StopEndsTheRunAtItsNextWait) {
  const Lines moves{"G00 X40 Z2 ;", "G01 Z-30 F0.2 ;", "G04 U2000 ;", "G00 X80 ;"};
  const std::vector<StopCase> cases{
      {"at the first gate", moves, 0, 0, {}},
      {"while a move is drawn", moves, 2, 260, {"G00 X40 Z2 ;", "G01 Z-30 F0.2 ;"}},
      {"in a dwell", moves, 0, 1000, {"G00 X40 Z2 ;", "G01 Z-30 F0.2 ;", "G04 U2000 ;"}},
      {"closing the window too",
       moves,
       0,
       1000,
       {"G00 X40 Z2 ;", "G01 Z-30 F0.2 ;", "G04 U2000 ;"},
       true},
  };
  for (const StopCase& c : cases) {
    ScriptedRun r;
    r.host.direct = false;
    r.sim.setSpeedValue(c.speed);
    Lines executed;
    std::vector<Colour> atStop;
    bool asked = false;
    const Connection tracing = r.sim.interpreter.onExecute.connect(
        [&](const std::string& block) { executed.push_back(block); });
    r.host.onWait = [&](ScriptedHost& h) {
      if (h.clock < c.stopAt || asked || !r.sim.run.RunBusy) return;
      asked = true;
      r.sim.requestStop();
      if (c.quitToo) r.sim.requestQuit();
      atStop = r.sim.picResult.pixels();
    };
    r.open(c.program);
    EXPECT_EQ(executed, c.executed) << c.name;
    EXPECT_EQ(r.sim.lastOutcome, c.quitToo ? RunOutcome::Aborted : RunOutcome::StoppedByUser)
        << c.name;
    EXPECT_TRUE(r.sim.picResult.pixels() == atStop) << c.name;
    EXPECT_FALSE(r.sim.run.RunBusy) << c.name;
    EXPECT_FALSE(r.sim.StartPressed) << c.name;
    EXPECT_EQ(r.sim.indicators.start, StartImage::Idle) << c.name;
    EXPECT_TRUE(r.sim.menus.vernieuwEnabled && r.sim.menus.figuurOpslaanEnabled) << c.name;
    EXPECT_FALSE(r.sim.menus.startenEnabled) << c.name;
    EXPECT_TRUE(r.host.labels.empty()) << c.name;  // no end message
    if (c.quitToo) continue;

    r.host.onWait = {};
    r.sim.requestStop();  // no run: nothing to stop, and the next run goes to its end
    executed.clear();
    r.sim.Open();
    EXPECT_EQ(executed, moves) << c.name;
    EXPECT_EQ(r.sim.lastOutcome, RunOutcome::ReachedEnd) << c.name;
  }

  // With "Direct" ticked a run that goes on by itself waits nowhere but in its dwell: it hands
  // the window its events after every block, and takes up "Stoppen" there.
  ScriptedRun direct;
  int eventsHandled = 0;
  direct.host.onEvents = [&](ScriptedHost&) {
    if (++eventsHandled == 2) direct.sim.requestStop();
  };
  direct.open(moves);
  EXPECT_EQ(direct.sim.lastOutcome, RunOutcome::StoppedByUser);
  EXPECT_EQ(eventsHandled, 2);
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

// The window cuts every indicator picture from one sheet, into which it draws them all: no two
// cells may share a pixel.
TEST(Indicators, CellsOfTheSheetDoNotOverlap) {
  std::vector<ImageCell> cells;
  for (const SpindleImage image : {SpindleImage::RunningM03, SpindleImage::RunningM04,
                                   SpindleImage::StoppedM04, SpindleImage::StoppedM03}) {
    cells.push_back(cellOf(image));
  }
  for (const CoolantImage image : {CoolantImage::On, CoolantImage::Off}) {
    cells.push_back(cellOf(image));
  }
  for (const StartImage image : {StartImage::Idle, StartImage::Step, StartImage::Running}) {
    cells.push_back(cellOf(image));
  }
  const auto overlap = [](const ImageCell& a, const ImageCell& b) {
    return a.column < b.column + b.size && b.column < a.column + a.size &&
           a.row < b.row + b.size && b.row < a.row + a.size;
  };
  for (std::size_t i = 0; i < cells.size(); ++i) {
    for (std::size_t j = i + 1; j < cells.size(); ++j) {
      EXPECT_FALSE(overlap(cells[i], cells[j])) << "cells " << i << " and " << j;
    }
  }
}

}  // namespace
}  // namespace draivo::test
