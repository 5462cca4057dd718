// "Stap terug" and "Uitvoeren tot hier" against fresh runs: going back k stops from stop n
// gives what a run that never went back showed at stop n - k, and going on from there gives
// what it showed afterwards, for the programs and inputs of tests/data/tables/step_back.rows.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "run/CheckpointPart.h"
#include "run/HeadlessRun.h"
#include "stock/RunStock.h"
#include "support/DataTable.h"
#include "support/Hashes.h"
#include "support/ScriptedHost.h"
#include "time/RunTimeRecorder.h"
#include "time/TimeTable.h"

namespace draivo::test {
namespace {

std::filesystem::path SourceFolder() {
  return DataFolder().parent_path().parent_path();
}

// The blocks executed, kept with the run's checkpoints as any follower of the run is.
class TraceFollower : public CheckpointPart {
 public:
  explicit TraceFollower(Simulator& sim)
      : sim_(sim), executed_(sim.interpreter.onExecute.connect([this](const std::string& b) {
          blocks.push_back(b);
        })) {
    sim.addCheckpointPart(*this);
  }
  ~TraceFollower() override { sim_.removeCheckpointPart(*this); }
  std::unique_ptr<State> saveState() const override {
    return std::make_unique<ValueState<std::size_t>>(blocks.size());
  }
  void restoreState(const State& state) override {
    blocks.resize(static_cast<const ValueState<std::size_t>&>(state).value);
  }
  std::vector<std::string> blocks;

 private:
  Simulator& sim_;
  Connection executed_;
};

// What the window shows while the run waits at a stop.
struct Shown {
  std::uint64_t picture;
  std::vector<std::string> status;
  std::string time, list, images, menus, view, warnings;
  std::size_t executed;
  bool held = false;  // at the block "Uitvoeren tot hier" ran to

  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "picture " << s.picture << " list " << s.list << " images " << s.images << " menus "
             << s.menus << " view " << s.view << " executed " << s.executed
             << (s.held ? " held" : "") << "\n"
             << ::testing::PrintToString(s.status) << "\n"
             << s.time << s.warnings;
}

// An input the user gives while the run waits at a stop: "zoom 50@3" sets the zoom bar at
// stop 3; "speed V@S", "direct 0|1@S", "step@S" and "optional@S" likewise; "here L@S" asks
// to run to line L of the main program.
struct Input {
  std::string what;
  int value = 0;
  std::size_t stop = 0;
};

std::vector<Input> InputsOf(const std::string& field) {
  std::vector<Input> inputs;
  std::istringstream in(field);
  for (std::string item; std::getline(in, item, ',');) {
    const auto at = item.find('@');
    if (at == std::string::npos) continue;
    std::istringstream words(item.substr(0, at));
    Input input;
    words >> input.what >> input.value;
    input.stop = std::stoul(item.substr(at + 1));
    inputs.push_back(input);
  }
  return inputs;
}

// A run in step mode on the scripted host, where a user clicks Start at every stop after
// giving the inputs of that stop; at one stop, once, the user steps back instead.
struct SteppedRun {
  // `blank`: the workpiece cut, as --stock gives it ("D50,L80,K15"), set before the run or,
  // with "@S", while the run waits at stop S; "" for none.
  explicit SteppedRun(std::uint64_t interval, const std::string& blank = "") {
    if (!blank.empty()) {
      const auto at = blank.find('@');
      blankSetup.source = WorkpieceSetup::Source::Given;
      blankSetup.blank = ParseStockOption(blank.substr(0, at)).blank;
      blankStop = at == std::string::npos ? 0 : std::stoul(blank.substr(at + 1));
      stock.emplace(r.sim, blankStop == 0 ? blankSetup : WorkpieceSetup{});
    }
    r.sim.checkpoints().setStartInterval(interval);
    r.host.direct = false;
    r.sim.toggleStepMode();
  }

  Shown shown() {
    Shown s;
    s.picture = QuickPictureHash(r.sim.picResult);
    s.status = StatusLines(StatusRows(r.sim.status));
    s.time = FormatTimeTable(MakeTimeTable(time.account(), 0));
    s.list = std::filesystem::path(r.sim.listedFile()).filename().string() + ":" +
             std::to_string(r.sim.lstCommands.ListIndex()) + " level " +
             std::to_string(r.sim.run.SubprogramLevel) + " " + r.sim.caption;
    s.images = ImageNames(r.sim.indicators);
    s.menus = std::string(r.sim.menus.stapChecked ? "step " : "") +
              (r.sim.menus.optioneelChecked ? "optional" : "");
    s.view = std::to_string(r.sim.view.zoomValue) + " " + std::to_string(r.sim.view.speedValue) +
             " " + std::to_string(r.sim.view.CurrentPointZ) + " " +
             std::to_string(r.sim.view.CurrentPointX) + " " + std::to_string(r.sim.view.PenColour);
    s.executed = trace.blocks.size();
    s.held = r.sim.holdsAtTarget();
    if (stock) {
      // By the file's name: each run reads a copy of the program in a folder of its own.
      for (const StockWarning& warning : stock->warnings()) {
        s.warnings += std::filesystem::path(warning.where.file).filename().string() + ":" +
                      std::to_string(warning.where.line) + " " + WarningText(warning.kind) + "\n";
      }
    }
    return s;
  }

  void give(const std::vector<Input>& inputs, std::size_t stop) {
    if (stock && stop == blankStop) stock->setSetup(blankSetup);
    for (const Input& input : inputs) {
      if (input.stop != stop) continue;
      if (input.what == "zoom") r.sim.setZoomValue(input.value);
      if (input.what == "speed") r.sim.setSpeedValue(input.value);
      if (input.what == "direct") r.host.direct = input.value != 0;
      if (input.what == "step") r.sim.toggleStepMode();
      if (input.what == "optional") r.sim.toggleOptionalStop();
      if (input.what == "here") r.sim.runTo({mainProgram, static_cast<std::size_t>(input.value)});
    }
  }

  // Runs the program; `atStop` is told of every wait at a stop with the stop's number and
  // returns whether the user clicks Start there.
  void run(const std::string& program, const std::function<bool(std::size_t)>& atStop) {
    r.host.onWait = [&](ScriptedHost& host) {
      const std::size_t stop = r.sim.stopNumber();
      if (stop == 0 || r.sim.StartPressed) return;
      if (!atStop(stop)) host.skipClicks = 1;
    };
    mainProgram = program;
    r.host.dialogAnswer = program;
    r.sim.Open();
    r.host.runReturned();
    EXPECT_EQ(r.host.stale, std::vector<std::string>{}) << "the window was not told of a change";
  }

  ScriptedRun r;
  RunTimeRecorder time{r.sim};
  TraceFollower trace{r.sim};
  std::optional<RunStock> stock;
  WorkpieceSetup blankSetup;
  std::size_t blankStop = 0;
  std::string mainProgram;  // of the run, which "here L@S" runs to a line of
};

std::string ProgramCopy(ScriptedRun& run, const std::string& relative) {
  const std::filesystem::path source = SourceFolder() / relative;
  for (const auto& entry : std::filesystem::directory_iterator(source.parent_path())) {
    if (entry.path().extension() == ".nc" && entry.is_regular_file()) {
      std::filesystem::copy_file(entry.path(), run.folder.path() / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  return (run.folder.path() / source.filename()).string();
}

// One step back: the program (relative to the source folder), the stop n to go back from, the
// k stops to go back, the checkpoint interval, the inputs and the blank.
struct StepBackCase {
  std::string program;
  std::size_t from = 0, back = 0;
  std::uint64_t interval = 1;
  std::vector<Input> inputs;
  std::string blank;

  std::string name() const {
    return program + " stop " + std::to_string(from) + " back " + std::to_string(back) + " every " +
           std::to_string(interval);
  }
};

// The stops of a run that never goes back, by number, and how the run ended.
struct FreshStops {
  std::map<std::size_t, Shown> stops;
  std::vector<std::string> trace;
  std::uint64_t picture = 0;
  RunOutcome outcome = RunOutcome::None;
};

FreshStops RunFresh(const StepBackCase& c) {
  SteppedRun fresh(c.interval, c.blank);
  FreshStops result;
  fresh.run(ProgramCopy(fresh.r, c.program), [&](std::size_t stop) {
    result.stops.emplace(stop, fresh.shown());
    fresh.give(c.inputs, stop);
    return true;
  });
  result.trace = fresh.trace.blocks;
  result.picture = QuickPictureHash(fresh.r.sim.picResult);
  result.outcome = fresh.r.sim.lastOutcome;
  return result;
}

// Goes back as the case says and expects every stop to show what it showed in the fresh run.
void ExpectStepBack(const StepBackCase& c, const FreshStops& freshRun) {
  const std::string name = c.name();
  const std::size_t from = c.from, back = c.back;
  const std::vector<Input>& inputs = c.inputs;
  const std::map<std::size_t, Shown>& freshStops = freshRun.stops;
  SteppedRun stepped(c.interval, c.blank);
  bool wentBack = false;
  std::vector<std::size_t> visits;
  std::vector<Colour> before;  // the picture when the user stepped back
  stepped.run(ProgramCopy(stepped.r, c.program), [&](std::size_t stop) {
    visits.push_back(stop);
    EXPECT_EQ(stepped.shown(), freshStops.at(stop))
        << name << " at stop " << stop << (wentBack ? " after going back" : "");
    if (!before.empty() && visits.size() >= 2 && visits[visits.size() - 2] == from) {
      // The window repaints every pixel that going back changed.
      Surface& picture = stepped.r.sim.picResult;
      const PixelBox changed = picture.takeChanged();
      for (std::size_t i = 0; i < before.size(); ++i) {
        const int column = static_cast<int>(i % picture.width()),
                  row = static_cast<int>(i / picture.width());
        if (before[i] != picture.pixels()[i] && !changed.contains(column, row)) {
          ADD_FAILURE() << name << ": pixel " << column << "," << row << " not repainted";
          break;
        }
      }
    }
    if (stop == from && !wentBack) {
      wentBack = true;
      stepped.r.sim.picResult.takeChanged();
      before = stepped.r.sim.picResult.pixels();
      for (std::size_t i = 0; i < back; ++i) stepped.r.sim.stepBack();
      return false;
    }
    stepped.give(inputs, stop);
    return true;
  });
  // After stop n the next wait is at stop n - k, and from there every stop comes again.
  const auto at = std::find(visits.begin(), visits.end(), from);
  if (!wentBack || at == visits.end() || at + 1 == visits.end()) {
    ADD_FAILURE() << name << ": no wait after the step back";
    return;
  }
  EXPECT_EQ(*(at + 1), from - back) << name;
  EXPECT_EQ(visits.size(), freshStops.size() + back + 1) << name;
  EXPECT_EQ(stepped.trace.blocks, freshRun.trace) << name;
  EXPECT_EQ(QuickPictureHash(stepped.r.sim.picResult), freshRun.picture) << name;
  EXPECT_EQ(stepped.r.sim.lastOutcome, freshRun.outcome) << name;
}

TEST(StepBack, GivesTheStopsOfARunThatNeverWentBack) {
  for (const TableRow& row : ReadTable("tables/step_back.rows")) {
    ASSERT_GE(row.size(), 5u);
    const StepBackCase c{
        row[0],           std::stoul(row[1]),          std::stoul(row[2]), std::stoull(row[3]),
        InputsOf(row[4]), row.size() > 5 ? row[5] : ""};
    const FreshStops fresh = RunFresh(c);
    EXPECT_EQ(fresh.outcome, RunOutcome::ReachedEnd) << c.name();
    if (fresh.stops.size() < c.from) {
      ADD_FAILURE() << c.name() << ": the run has " << fresh.stops.size() << " stops";
      continue;
    }
    ExpectStepBack(c, fresh);
  }
}

// Checkpoint intervals the run cases take in turn: at every gate, every other, only the first.
constexpr std::uint64_t RunCaseIntervals[] = {1, 2, 1000};

// The program of every short run case, in step mode, goes back from two thirds of its stops to
// a third, cutting a blank.
TEST(StepBack, GivesTheStopsOfEveryRunCase) {
  const auto programs = ShortRunCases();
  std::size_t steppedBack = 0;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const std::string program = std::filesystem::relative(programs[i], SourceFolder()).string();
    StepBackCase c{program, 0, 0, RunCaseIntervals[i % 3], {}, ShortRunCaseBlank};
    const FreshStops fresh = RunFresh(c);
    if (fresh.stops.size() < 3) continue;
    c.from = fresh.stops.size() * 2 / 3;
    c.back = c.from / 2;
    ExpectStepBack(c, fresh);
    ++steppedBack;
  }
  EXPECT_GE(steppedBack, programs.size() / 2);
}

}  // namespace
}  // namespace draivo::test

namespace draivo::test {
namespace {

// A run in step mode through every block: at each stop where the list shows the main program,
// the line shown and what the window shows, and the blocks the run executed.
struct SteppedThrough {
  std::vector<std::pair<std::size_t, Shown>> stops;
  std::vector<std::string> trace;
};

SteppedThrough StepThrough(const std::string& program) {
  SteppedRun run(CheckpointStore::StartInterval);
  const std::string file = ProgramCopy(run.r, program);
  SteppedThrough through;
  run.run(file, [&](std::size_t) {
    const auto& sim = run.r.sim;
    if (sim.listedFile() == file)
      through.stops.emplace_back(sim.lstCommands.lineOf(sim.lstCommands.ListIndex()), run.shown());
    return true;
  });
  through.trace = run.trace.blocks;
  return through;
}

// Asks "Uitvoeren tot hier" as the user does, on the line's row, where the list shows the file.
void askRunTo(Simulator& sim, const std::string& file, std::size_t line) {
  const ProgramList& list = sim.lstCommands;
  for (int row = 0; sim.listedFile() == file && row < list.ListCount(); ++row) {
    if (list.lineOf(row) != line) continue;
    sim.runToHere(list.ListCount());  // past the list's end: ignored
    sim.runToHere(row);
    return;
  }
  sim.runTo({file, line});
}

// "Uitvoeren tot hier" to a line of the main program asked at a stop holds where stepping to it
// first shows it, or says it never came there; going on ends as stepping through every block,
// and draivo-sim --until-block shows the same picture and status rows.
void ExpectRunToHere(const std::string& program, std::size_t line, std::size_t fromStop,
                     bool reachable, std::uint64_t interval, const SteppedThrough& fresh) {
  const std::string name =
      program + " line " + std::to_string(line) + " from stop " + std::to_string(fromStop);
  const auto& stops = fresh.stops;
  const auto first = std::find_if(stops.begin(), stops.end(),
                                  [line](const auto& stop) { return stop.first == line; });
  const Shown expected = first == stops.end() ? Shown{} : first->second;
  SteppedRun run(interval);
  const std::string file = ProgramCopy(run.r, program);
  std::optional<Shown> held;
  bool asked = false;
  run.run(file, [&](std::size_t stop) {
    if (run.r.sim.holdsAtTarget() && !held) {
      held = run.shown();
      EXPECT_TRUE(run.r.sim.menus.stapChecked) << name;
    }
    if (!asked && stop == fromStop) {
      asked = true;
      askRunTo(run.r.sim, file, line);
    }
    return true;
  });
  EXPECT_EQ(run.r.sim.lastOutcome, RunOutcome::ReachedEnd) << name;
  const std::string missed = "Uitvoeren tot hier: Regel " + std::to_string(line) + " van " +
                             std::filesystem::path(file).filename().string() + " is niet bereikt.";
  const bool saidMissed = std::find(run.r.host.messages.begin(), run.r.host.messages.end(),
                                    missed) != run.r.host.messages.end();
  EXPECT_EQ(saidMissed, !reachable) << name;
  EXPECT_EQ(held.has_value(), reachable) << name;
  if (!reachable) return;
  Shown holding = expected;
  holding.held = true;
  EXPECT_EQ(*held, holding) << name;
  // Going on from there ends as the run that stepped through every block.
  EXPECT_EQ(run.trace.blocks, fresh.trace) << name;

  // draivo-sim --until-block shows the same picture and status rows.
  HeadlessOptions options;
  options.untilLine = line;
  const HeadlessResult headless = RunHeadless(file, options);
  EXPECT_EQ(headless.exit(), HeadlessExit::ReachedEnd) << name;
  EXPECT_EQ(QuickPictureHash(headless.picture), held->picture) << name;
  EXPECT_EQ(StatusLines(headless.status), held->status) << name;
}

TEST(RunToHere, HoldsAtTheBlockAsSteppingToItDoes) {
  for (const TableRow& row : ReadTable("tables/run_to_here.rows")) {
    ASSERT_GE(row.size(), 4u);
    ExpectRunToHere(row[0], std::stoul(row[1]), std::stoul(row[2]), row[3] == "held",
                    std::stoull(row.size() > 4 ? row[4] : "64"), StepThrough(row[0]));
  }
}

// Every short run case runs to the line it shows halfway, asked at its first stop.
TEST(RunToHere, HoldsAtTheBlockOfEveryRunCase) {
  std::size_t held = 0;
  const auto programs = ShortRunCases();
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const std::string program = std::filesystem::relative(programs[i], SourceFolder()).string();
    const SteppedThrough fresh = StepThrough(program);
    if (fresh.stops.size() < 2) continue;
    const std::size_t line = fresh.stops[fresh.stops.size() / 2].first;
    ExpectRunToHere(program, line, 1, true, RunCaseIntervals[i % 3], fresh);
    ++held;
  }
  EXPECT_GE(held, programs.size() / 2);
}

// A line of a subprogram the run passed without taking it up, asked at a stop or while the run
// goes on by itself: the replay from the start puts back what the user did on the way and does
// not meet the line, the run hurries on from where it was asked and says at its end that it
// never came there; on its way the window handles its events, so that it can still be closed.
TEST(RunToHere, SaysItMissedALineOfASubprogramItPassed) {
  for (const bool atAStop : {true, false}) {
    SteppedRun run(CheckpointStore::StartInterval);
    if (!atAStop) run.r.sim.toggleStepMode();
    const std::string subprogram =
        run.r.write("O1001.nc", {":1001 ;", "G01 X32 F0.08 ;", "G00 X44 ;", "M99 ;"});
    const std::string file = run.r.write(
        "program.nc",
        {"G00 X44 Z2 ;", "M98 P1001 ;", "G01 Z-10 F0.2 ;", "Z-20 ;", "Z-30 ;", "X60 ;", "M30 ;"});
    bool passedSubprogram = false, asked = false;
    int eventsOnTheWay = 0;
    constexpr int ZoomOnTheWay = 40;  // set in the subprogram: the replay must put it back
    const auto askOnceBack = [&] {
      if (!passedSubprogram && run.r.sim.listedFile() == subprogram) {
        passedSubprogram = true;
        run.r.sim.setZoomValue(ZoomOnTheWay);
      }
      if (asked || !passedSubprogram || run.r.sim.listedFile() != file) return false;
      asked = true;
      run.r.sim.runTo({subprogram, 9});
      return true;
    };
    run.r.host.onEvents = [&](ScriptedHost&) {
      eventsOnTheWay += asked && run.r.sim.runsToBlock();
      if (!atAStop) askOnceBack();
    };
    run.run(file, [&](std::size_t) { return !askOnceBack(); });  // asked: it goes on by itself
    const std::string how = atAStop ? "asked at a stop" : "asked while running";
    EXPECT_TRUE(asked) << how;
    EXPECT_EQ(run.r.sim.lastOutcome, RunOutcome::ReachedEnd) << how;
    EXPECT_EQ(run.r.host.messages,
              std::vector<std::string>{"Uitvoeren tot hier: Regel 9 van O1001.nc is niet bereikt."})
        << how;
    EXPECT_GT(eventsOnTheWay, 0) << how;
    EXPECT_EQ(run.r.sim.view.zoomValue, ZoomOnTheWay) << how;
  }
}

// From idle the run starts and holds; message boxes on the way are notices, not boxes.
TEST(RunToHere, StartsARunAndLeavesItsMessagesAsNotices) {
  ScriptedRun r;
  r.write("program.nc", {"G00 X40 Z2 ;", "M98 P1234 ;", "G01 Z-20 F0.2 ;", "X60 ;", "M30 ;"});
  r.sim.dialogFileName = (r.folder.path() / "program.nc").string();
  r.sim.menus.vernieuwEnabled = true;
  std::size_t heldAt = 0;
  r.host.onWait = [&](ScriptedHost&) {
    if (r.sim.holdsAtTarget()) heldAt = r.sim.lstCommands.lineOf(r.sim.lstCommands.ListIndex());
  };
  r.sim.runTo({r.sim.dialogFileName, 4});
  EXPECT_EQ(heldAt, 4u);
  EXPECT_EQ(r.host.messages, std::vector<std::string>{});
  ASSERT_EQ(r.host.notices.size(), 1u);
  EXPECT_EQ(r.host.notices[0].rfind("Bestand niet gevonden: ", 0), 0u);
  EXPECT_EQ(r.sim.lastOutcome, RunOutcome::ReachedEnd);

  // Stopped while it holds there, the run leaves no hold to the next one.
  r.host.onWait = [&](ScriptedHost&) {
    if (r.sim.holdsAtTarget()) r.sim.requestStop();
  };
  r.sim.runTo({r.sim.dialogFileName, 4});
  EXPECT_EQ(r.sim.lastOutcome, RunOutcome::StoppedByUser);
  bool heldAgain = false;
  r.host.onWait = [&](ScriptedHost&) { heldAgain |= r.sim.holdsAtTarget(); };
  r.sim.Vernieuw();
  EXPECT_FALSE(heldAgain);

  HeadlessOptions options;
  options.untilLine = 99;
  const HeadlessResult missed = RunHeadless(r.sim.dialogFileName, options);
  EXPECT_EQ(missed.exit(), HeadlessExit::NotReached);
  EXPECT_EQ(missed.messages.back(), "Uitvoeren tot hier: Regel 99 van program.nc is niet bereikt.");
}

// Closing the window while a run hurries to its block ends the run at once, without the
// message of a block not reached.
TEST(RunToHere, EndsCleanlyWhenTheWindowCloses) {
  ScriptedRun r;
  std::vector<std::string> lines;
  for (int i = 0; i < 200; ++i)
    lines.push_back("G01 X" + std::to_string(20 + i % 40) + " Z-20 F0.2 ;");
  r.sim.dialogFileName = r.write("program.nc", lines);
  r.sim.menus.vernieuwEnabled = true;
  int events = 0;
  r.host.onEvents = [&](ScriptedHost& host) {
    host.clock += 100;  // the run hands out events at most every 50 ms
    if (++events == 3) r.sim.requestQuit();
  };
  r.sim.runTo({r.sim.dialogFileName, 200});
  EXPECT_EQ(r.sim.lastOutcome, RunOutcome::Aborted);
  EXPECT_FALSE(r.sim.run.RunBusy);
  EXPECT_FALSE(r.sim.runsToBlock());
  EXPECT_LT(r.sim.lstCommands.ListIndex(), 100);
  EXPECT_EQ(r.host.messages, std::vector<std::string>{});
}

// "Stap terug" does nothing at the first stop and while no run waits.
TEST(StepBack, NeedsAnEarlierStop) {
  ScriptedRun r;
  r.sim.toggleStepMode();
  EXPECT_FALSE(r.sim.canStepBack());
  r.sim.stepBack();
  std::vector<std::string> seen;
  r.host.onWait = [&](ScriptedHost&) {
    if (r.sim.stopNumber() == 1) {
      seen.push_back(r.sim.canStepBack() ? "can" : "cannot");
      r.sim.stepBack();
    }
  };
  r.open({"G00 X40 Z2 ;", "G01 Z-20 F0.2 ;", "M30 ;"});
  EXPECT_EQ(seen, std::vector<std::string>{"cannot"});
  EXPECT_EQ(r.host.gateClicks.size(), 3u);  // a stop at each block
  EXPECT_FALSE(r.sim.canStepBack());
}

}  // namespace
}  // namespace draivo::test
