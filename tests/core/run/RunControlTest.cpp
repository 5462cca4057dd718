#include <gtest/gtest.h>

#include "RunFixture.h"

namespace draivo::test {
namespace {

using Lines = std::vector<std::string>;

struct GateCase {
  const char* label;
  Lines program;
  bool stepMode;
  bool optionalStop;
  std::vector<int> clicksAt;  // list index of each block that waited for Start
  Lines subprogram = {};      // O1234.nc
};

void PrintTo(const GateCase& c, std::ostream* os) {
  *os << c.label;
}

class GateTest : public ::testing::TestWithParam<GateCase> {};

TEST_P(GateTest, WaitsForStartWhereItShould) {
  const GateCase& c = GetParam();
  RunFixture f;
  if (!c.subprogram.empty()) f.writeProgram("O1234.nc", c.subprogram);
  if (c.stepMode) f.sim.toggleStepMode();
  if (c.optionalStop) f.sim.toggleOptionalStop();
  f.open(c.program);
  EXPECT_FALSE(f.host.gaveUp);
  EXPECT_EQ(f.host.startClicksAt, c.clicksAt);
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::ReachedEnd);
}

const Lines Plain = {"G00 X20 Z2 ;", "G01 Z-10 F0.2 ;", "G01 X30 ;", "G00 X40 Z2 ;"};

INSTANTIATE_TEST_SUITE_P(
    Runs, GateTest,
    ::testing::Values(
        GateCase{"first block waits only", Plain, false, false, {0}},
        GateCase{"step mode waits at every block", Plain, true, false, {0, 1, 2, 3}},
        GateCase{"step mode passes the block after G32",
                 {"G00 X20 Z2 ;", "G32 Z-20 F1.5 ;", "G00 X30 ;", "G00 Z2 ;"},
                 true,
                 false,
                 {0, 1, 3}},
        GateCase{"program number line with G32 is no thread block",
                 {":0032 G32 ;", "G00 X30 ;"},
                 true,
                 false,
                 {0, 1}},
        GateCase{
            "M01 with optional stop waits", {"G00 X1 ;", "M01 ;", "G00 X2 ;"}, false, true, {0, 1}},
        GateCase{"M01 without optional stop runs on",
                 {"G00 X1 ;", "M01 ;", "G00 X2 ;"},
                 false,
                 false,
                 {0}},
        GateCase{"M30 in the main program makes the next gate wait",
                 {"G00 X1 ;", "M30 ;", "G00 X2 ;"},
                 false,
                 false,
                 {0, 2}},
        GateCase{"M30 in a subprogram does not",
                 {"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"},
                 false,
                 false,
                 {0},
                 {"G01 X3 ;", "M30 ;"}}));

TEST(RunControl, M30ClearsStartPressedAndShowsIdle) {
  RunFixture f;
  bool pressedAtM30 = true;
  StartImage imageAtM30 = StartImage::Running;
  f.sim.onBlock = [&](const std::string& block) {
    if (block != "M30 ;") return;
    pressedAtM30 = f.sim.StartPressed;
    imageAtM30 = f.sim.indicators.start;
  };
  f.open({"M03 ;", "G00 X1 ;", "M30 ;"});
  EXPECT_FALSE(pressedAtM30);
  EXPECT_EQ(imageAtM30, StartImage::Idle);
  EXPECT_EQ(f.sim.indicators.spindle, SpindleImage::StoppedM03);
}

struct RunEndCase {
  const char* label;
  Lines program;
  RunOutcome outcome;
  Lines subprogram = {};  // O0001.nc
};

void PrintTo(const RunEndCase& c, std::ostream* os) {
  *os << c.label;
}

class RunEndTest : public ::testing::TestWithParam<RunEndCase> {};

// However a run ends, the start button shows idle and no Start of the run lets the next Open
// pass its first gate.
TEST_P(RunEndTest, ShowsIdleAndTheNextOpenWaitsForStart) {
  const RunEndCase& c = GetParam();
  RunFixture f;
  if (!c.subprogram.empty()) f.writeProgram("O0001.nc", c.subprogram);
  f.open(c.program);
  EXPECT_EQ(f.sim.lastOutcome, c.outcome);
  EXPECT_FALSE(f.sim.StartPressed);
  EXPECT_EQ(f.sim.indicators.start, StartImage::Idle);
  f.host.startClicksAt.clear();
  f.sim.Open();
  EXPECT_EQ(f.host.startClicksAt, std::vector<int>{0});
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunEndTest,
    ::testing::Values(RunEndCase{"with M30", {"G00 X1 ;", "M30 ;"}, RunOutcome::ReachedEnd},
                      RunEndCase{"without M30", {"G00 X1 ;", "G00 X2 ;"}, RunOutcome::ReachedEnd},
                      RunEndCase{"ended by a fault",
                                 {"G00 X1 ;", "M98 P0001 ;"},
                                 RunOutcome::NestingTooDeep,
                                 {"M98 P0001 ;"}}));

TEST(RunControl, StartDuringTheEndMessageRunsTheProgramAgain) {
  RunFixture f;
  bool clicked = false;
  f.host.onWait = [&clicked](ScriptedHost& host) {
    if (clicked || !host.sim().status.nullPointVisible || host.sim().run.RunBusy) return;
    clicked = true;
    host.sim().startButtonClick(2);
  };
  int blocks = 0;
  f.sim.onBlock = [&blocks](const std::string&) { ++blocks; };
  f.open({"G00 X1 ;", "G00 X2 ;"});
  EXPECT_TRUE(clicked);
  EXPECT_EQ(blocks, 4);
  EXPECT_EQ(f.host.dialogs.size(), 1u);
  EXPECT_EQ(f.host.startClicksAt, std::vector<int>{0});  // the rerun did not wait at its gate
  EXPECT_FALSE(f.sim.StartPressed);
  EXPECT_EQ(f.sim.indicators.start, StartImage::Idle);
}

TEST(RunControl, EndMessageIsShownForTwoSeconds) {
  RunFixture f;
  f.open({"G00 X1 ;"});
  ASSERT_EQ(f.host.nullPointChanges.size(), 2u);
  EXPECT_TRUE(f.host.nullPointChanges[0].second);
  EXPECT_FALSE(f.host.nullPointChanges[1].second);
  EXPECT_EQ(f.host.nullPointChanges[1].first - f.host.nullPointChanges[0].first,
            static_cast<std::uint64_t>(Simulator::EndMessageMilliseconds));
  EXPECT_EQ(f.sim.status.lblNullPoint, "Opdracht uitgevoerd");
  EXPECT_FALSE(f.sim.status.nullPointVisible);
}

TEST(RunControl, FirstLineIsSelectedAfterM30Only) {
  RunFixture f;
  f.open({"G00 X1 ;", "G00 X2 ;", "M30 ;"});
  EXPECT_EQ(f.sim.lstCommands.ListIndex(), 0);
  f.open({"G00 X1 ;", "G00 X2 ;", "G00 X3 ;"});
  EXPECT_EQ(f.sim.lstCommands.ListIndex(), 2);
}

TEST(RunControl, MenusFollowTheRun) {
  RunFixture f;
  EXPECT_FALSE(f.sim.menus.startenEnabled);
  EXPECT_FALSE(f.sim.menus.vernieuwEnabled);
  EXPECT_FALSE(f.sim.menus.figuurOpslaanEnabled);
  MenuState during;
  f.sim.onBlock = [&](const std::string&) { during = f.sim.menus; };
  f.open({"G00 X1 ;"});
  EXPECT_TRUE(during.startenEnabled);
  EXPECT_FALSE(during.vernieuwEnabled);
  EXPECT_FALSE(during.figuurOpslaanEnabled);
  EXPECT_FALSE(f.sim.menus.startenEnabled);
  EXPECT_TRUE(f.sim.menus.vernieuwEnabled);
  EXPECT_TRUE(f.sim.menus.figuurOpslaanEnabled);
}

TEST(RunControl, OpenDuringARunDoesNothing) {
  RunFixture f;
  bool triedNested = false;
  f.sim.onBlock = [&](const std::string&) {
    if (triedNested) return;
    triedNested = true;
    f.sim.Open();
    f.sim.Vernieuw();
  };
  f.open({"G00 X1 ;", "G00 X2 ;"});
  EXPECT_TRUE(triedNested);
  EXPECT_EQ(f.host.dialogs.size(), 1u);
  EXPECT_EQ(f.host.nullPointChanges.size(), 2u);  // one end message: one run
  EXPECT_FALSE(f.sim.run.RunBusy);
}

TEST(RunControl, StartButtonRerunsWithoutWaitingAtTheGate) {
  RunFixture f;
  f.sim.startButtonClick(2);  // nothing run yet: only releases the gate
  EXPECT_TRUE(f.host.dialogs.empty());
  EXPECT_TRUE(f.sim.StartPressed);
  EXPECT_EQ(f.sim.indicators.start, StartImage::Running);

  f.open({"G00 X1 ;", "G00 X2 ;"});
  f.host.clickStartWhenWaiting = false;
  int blocks = 0;
  f.sim.onBlock = [&](const std::string&) { ++blocks; };
  f.sim.startButtonClick(2);
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(f.host.dialogs.size(), 1u);
  EXPECT_FALSE(f.host.gaveUp);
  EXPECT_FALSE(f.sim.StartPressed);
  EXPECT_EQ(f.sim.indicators.start, StartImage::Idle);

  f.sim.onBlock = nullptr;
  f.sim.startButtonClick(0);  // the spindle and coolant buttons do nothing
  f.sim.startButtonClick(1);
  EXPECT_FALSE(f.sim.StartPressed);
}

TEST(RunControl, StartenActsAsTheStartButton) {
  RunFixture f;
  f.open({"G00 X1 ;"});
  f.host.clickStartWhenWaiting = false;
  f.sim.Starten();
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::ReachedEnd);
  EXPECT_FALSE(f.host.gaveUp);
  EXPECT_EQ(f.host.dialogs.size(), 1u);
}

TEST(RunControl, WaitOfZeroReturnsAtOnce) {
  RunFixture f;
  f.sim.WaitMilliseconds(0);
  f.sim.WaitMilliseconds(-5);
  EXPECT_EQ(f.host.waitCalls, 0);
  EXPECT_EQ(f.host.clock, 0u);
}

TEST(RunControl, WaitsSleepOnTheHostInsteadOfSpinning) {
  RunFixture f;
  f.sim.WaitMilliseconds(500);
  EXPECT_EQ(f.host.clock, 500u);
  EXPECT_EQ(f.host.waitCalls, 1);

  // A run with a dwell: one wait at the first gate, one for the dwell, one for the end message.
  RunFixture g;
  g.open({"G00 X1 ;", "G04 U500 ;", "G00 X2 ;"});
  EXPECT_EQ(g.host.waitCalls, 3);
  EXPECT_EQ(g.host.waitRequests.at(1), 500);
  EXPECT_EQ(g.host.waitRequests.at(2), Simulator::EndMessageMilliseconds);
}

TEST(RunControl, WaitsEndAtOnceAfterQuitOutsideARun) {
  RunFixture f;
  f.sim.requestQuit();
  f.sim.WaitMilliseconds(1000);
  EXPECT_EQ(f.host.waitCalls, 0);
}

TEST(RunControl, QuitEndsARunWaitingAtTheGate) {
  RunFixture f;
  f.host.clickStartWhenWaiting = false;
  f.host.onWait = [](ScriptedHost& host) {
    if (host.waitCalls == 3) host.sim().requestQuit();
  };
  f.open({"G00 X1 ;", "G00 X2 ;"});
  EXPECT_EQ(f.host.waitCalls, 3);
  EXPECT_FALSE(f.host.gaveUp);
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::Aborted);
  EXPECT_FALSE(f.sim.run.RunBusy);
  EXPECT_EQ(f.sim.run.SubprogramLevel, 0);

  f.sim.Open();  // after quit nothing starts
  EXPECT_EQ(f.host.dialogs.size(), 1u);
}

TEST(RunControl, QuitInASubprogramUnwindsEveryLevel) {
  RunFixture f;
  f.writeProgram("O1234.nc", {"G01 X3 ;", "G04 U5000 ;", "G01 X4 ;"});
  f.host.onWait = [](ScriptedHost& host) {
    if (host.sim().run.SubprogramLevel == 2) host.sim().requestQuit();
  };
  Lines executed;
  f.sim.interpreter.onExecute = [&](const std::string& block) { executed.push_back(block); };
  f.open({"G00 X1 ;", "M98 P1234 ;", "G00 X2 ;"});
  EXPECT_EQ(executed, (Lines{"G00 X1 ;", "G01 X3 ;", "G04 U5000 ;"}));
  EXPECT_EQ(f.sim.lastOutcome, RunOutcome::Aborted);
  EXPECT_FALSE(f.sim.run.RunBusy);
  EXPECT_EQ(f.sim.run.SubprogramLevel, 0);
  EXPECT_EQ(f.host.waitCalls, 2);  // the first gate and the dwell: no further wait
  EXPECT_TRUE(f.host.nullPointChanges.empty());
}

TEST(RunControl, StartupTimerShowsStoppedSpindleCoolantOffAndIdle) {
  RunFixture f;
  f.sim.StartPressed = true;
  f.sim.startupTimer();
  EXPECT_EQ(f.sim.indicators.spindle, SpindleImage::StoppedM03);
  EXPECT_EQ(f.sim.indicators.coolant, CoolantImage::Off);
  EXPECT_EQ(f.sim.indicators.start, StartImage::Idle);
  EXPECT_FALSE(f.sim.StartPressed);
  EXPECT_EQ(f.sim.SpindleDirection, "M03");
}

TEST(RunControl, MenuChecksToggle) {
  RunFixture f;
  f.sim.toggleOptionalStop();
  f.sim.toggleStepMode();
  EXPECT_TRUE(f.sim.menus.optioneelChecked);
  EXPECT_TRUE(f.sim.menus.stapChecked);
  f.sim.toggleOptionalStop();
  EXPECT_FALSE(f.sim.menus.optioneelChecked);
  EXPECT_TRUE(f.sim.menus.stapChecked);
}

struct IndicatorCase {
  const char* block;
  SpindleImage spindle;
  CoolantImage coolant;
  const char* direction;
};

void PrintTo(const IndicatorCase& c, std::ostream* os) {
  *os << c.block;
}

class IndicatorTest : public ::testing::TestWithParam<IndicatorCase> {};

// Starting from spindle running M04 with coolant on.
TEST_P(IndicatorTest, ShowsSpindleAndCoolant) {
  RunFixture f;
  f.sim.ShowMachineIndicators("M04 ;");
  f.sim.ShowMachineIndicators("M08 ;");
  f.sim.ShowMachineIndicators(GetParam().block);
  EXPECT_EQ(f.sim.indicators.spindle, GetParam().spindle);
  EXPECT_EQ(f.sim.indicators.coolant, GetParam().coolant);
  EXPECT_EQ(f.sim.SpindleDirection, GetParam().direction);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, IndicatorTest,
    ::testing::Values(IndicatorCase{"M03 ;", SpindleImage::RunningM03, CoolantImage::On, "M03"},
                      IndicatorCase{"M03 M09 ;", SpindleImage::RunningM03, CoolantImage::On, "M03"},
                      IndicatorCase{"M09 ;", SpindleImage::RunningM04, CoolantImage::Off, "M04"},
                      IndicatorCase{"M30 ;", SpindleImage::StoppedM04, CoolantImage::On, "M04"},
                      IndicatorCase{"M03 M30 ;", SpindleImage::StoppedM03, CoolantImage::On, "M03"},
                      IndicatorCase{"G00 X1 ;", SpindleImage::RunningM04, CoolantImage::On,
                                    "M04"}));

TEST(RunControl, OptionalStopShowsTheStoppedSpindle) {
  RunFixture f;
  f.sim.toggleOptionalStop();
  SpindleImage atStop = SpindleImage::RunningM04;
  f.host.onWait = [&](ScriptedHost& host) {
    if (host.sim().lstCommands.ListIndex() == 2) atStop = host.sim().indicators.spindle;
  };
  f.open({"M04 ;", "G00 X1 ;", "M01 ;"});
  EXPECT_EQ(atStop, SpindleImage::StoppedM04);
}

struct CellCase {
  const char* label;
  ImageCell cell;
  ImageCell expected;
};

void PrintTo(const CellCase& c, std::ostream* os) {
  *os << c.label;
}

class ImageCellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(ImageCellTest, LiesInTheSheet) {
  EXPECT_EQ(GetParam().cell.column, GetParam().expected.column);
  EXPECT_EQ(GetParam().cell.row, GetParam().expected.row);
  EXPECT_EQ(GetParam().cell.size, GetParam().expected.size);
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImageCellTest,
    ::testing::Values(CellCase{"running M03", cellOf(SpindleImage::RunningM03), {145, 4, 47}},
                      CellCase{"running M04", cellOf(SpindleImage::RunningM04), {98, 4, 47}},
                      CellCase{"stopped M04", cellOf(SpindleImage::StoppedM04), {4, 4, 47}},
                      CellCase{"stopped M03", cellOf(SpindleImage::StoppedM03), {51, 4, 47}},
                      CellCase{"coolant on", cellOf(CoolantImage::On), {51, 51, 47}},
                      CellCase{"coolant off", cellOf(CoolantImage::Off), {4, 51, 47}},
                      CellCase{"start idle", cellOf(StartImage::Idle), {98, 51, 46}},
                      CellCase{"start step", cellOf(StartImage::Step), {145, 51, 46}},
                      CellCase{"start running", cellOf(StartImage::Running), {192, 51, 46}}));

}  // namespace
}  // namespace draivo::test
