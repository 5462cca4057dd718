#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "nc/MachineStatus.h"
#include "render/Surface.h"
#include "run/Simulator.h"
#include "run/SourceLocation.h"
#include "stock/RunStock.h"
#include "time/TimeAccount.h"

namespace draivo {

// How a program is run without a window.
struct HeadlessOptions {
  static constexpr double ZoomMin = 1.0, ZoomMax = 20.0, ZoomStart = 3.4;
  // Without a budget of its own a run may take this many steps for every line of the longest
  // program it loaded, and never fewer than MinimumStepBudget: enough for a program of dense
  // cycles, while subprogram repetitions that multiply are still stopped.
  static constexpr std::uint64_t MinimumStepBudget = 2'000'000;
  static constexpr std::uint64_t StepsPerLine = 100;

  double zoom = ZoomStart;
  bool direct{};
  // Program blocks taken up plus blocks executed before the run is stopped; 0 scales the
  // budget with the program.
  std::uint64_t stepBudget{};
  bool collectTrace = true;
  bool recordTime{};         // keep the machining time of the run
  WorkpieceSetup workpiece;  // the stock being cut; none by default
  // Runs as "Uitvoeren tot hier" to the block on this line of the program file (from 1) and
  // ends the run where it holds, before the block is carried out; 0 runs to the end.
  std::size_t untilLine{};
  // Told of every executed block and every message box ("title: text") as they happen.
  std::function<void(const std::string&)> onTrace;
  std::function<void(const std::string&)> onMessage;
};

struct StatusRow {
  std::string caption;
  std::string value;
};

// The five rows of the status panel in panel order: unit, radius compensation, maximum
// speed, constant, feed.
std::vector<StatusRow> StatusRows(const MachineStatus& status);

// A message box of the run, with the block the program list showed when it came (no line
// when it showed none, as for a main program that cannot be read).
struct RunMessage {
  std::string title;
  std::string text;
  SourceLocation where;
};

enum class HeadlessExit {
  ReachedEnd,      // the run executed the last block of the main program
  FileUnreadable,  // a program file could not be read, or is not a program file
  Stopped,         // the run ended early (nesting too deep, step budget, fault)
  NotReached,      // the block of HeadlessOptions::untilLine was never taken up
};

HeadlessExit ExitOf(RunOutcome outcome);

struct HeadlessResult {
  RunOutcome outcome = RunOutcome::None;
  bool budgetExhausted{};
  bool untilLine{};                   // the run was asked to hold at a block
  bool reachedTarget{};               // and ended holding there
  std::uint64_t stepBudget{};         // the budget the run had at its end
  std::vector<std::string> trace;     // every block text handed to ExecuteBlock
  std::vector<std::string> messages;  // every message box as "title: text"
  std::vector<RunMessage> messageBoxes;  // the same message boxes, with where they came
  std::uint64_t executedBlocks{};        // blocks handed to ExecuteBlock within the budget
  SourceLocation stoppedAt;              // with budgetExhausted: the block the run stopped at
  std::vector<StatusRow> status;      // the status panel after the run
  Surface picture;                    // picResult after the run
  TimeAccount time;                   // with HeadlessOptions::recordTime: what the run ran
  // With a workpiece: the stock after the run, the warnings of its moves, and a blank
  // comment that could not be read.
  std::optional<Workpiece> workpiece;
  std::vector<StockWarning> warnings;
  std::optional<BlankCommentFault> blankFault;

  HeadlessExit exit() const;
};

// Runs a program file to its end as a user would who presses Start whenever the run waits:
// step mode and optional stop off, no drawing pause, waits on a virtual clock.
HeadlessResult RunHeadless(const std::string& programFile, const HeadlessOptions& options);

}  // namespace draivo
