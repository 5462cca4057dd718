#include "time/RunTimeRecorder.h"

#include "nc/BlockText.h"
#include "nc/Interpreter.h"
#include "run/Simulator.h"

namespace draivo {
namespace {

// The cycles whose moves take the cycle's own feed. G70 is not among them: its finishing pass
// feeds as its contour blocks say.
struct CycleKind {
  std::string_view code;
  bool feedInSecondBlock;  // the F word stands in the block after the cycle block
  bool threading;
  bool repetitionLines;  // a single cycle, ended by the next program block with a "G"
};

constexpr CycleKind cycleKinds[] = {
    {"71", true, false, false}, {"72", true, false, false}, {"73", true, false, false},
    {"76", true, true, false},  {"90", false, false, true}, {"92", false, true, true},
    {"94", false, false, true},
};

}  // namespace

// A run that is being ended (the window closes, a headless run has used up its steps) adds
// nothing more.
RunTimeRecorder::RunTimeRecorder(Simulator& simulator)
    : sim_(simulator),
      started_(simulator.onRunStart.connect([this] { runStarted(); })),
      takenUp_(simulator.onBlock.connect([this](const std::string&) {
        if (!sim_.quitRequested()) blockTakenUp();
      })),
      executed_(simulator.interpreter.onExecute.connect([this](const std::string& block) {
        if (!sim_.quitRequested()) blockExecuted(block);
      })) {
  simulator.addCheckpointPart(*this);
}

RunTimeRecorder::~RunTimeRecorder() {
  sim_.removeCheckpointPart(*this);
}

std::unique_ptr<CheckpointPart::State> RunTimeRecorder::saveState() const {
  return std::make_unique<ValueState<Account>>(Account{recorder_, singleCycleIndex_});
}

void RunTimeRecorder::restoreState(const State& state) {
  const Account& saved = static_cast<const ValueState<Account>&>(state).value;
  recorder_ = saved.recorder;
  singleCycleIndex_ = saved.singleCycleIndex;
}

void RunTimeRecorder::runStarted() {
  recorder_.reset();
  singleCycleIndex_ = -1;
  hasRun_ = true;
}

void RunTimeRecorder::blockTakenUp() {
  recorder_.endCycle();
  singleCycleIndex_ = -1;
  const int index = sim_.lstCommands.ListIndex();
  const std::string_view block = sim_.lstCommands.List(index);
  if (contains(block, "M98")) return;  // calls a subprogram; not interpreted
  const std::string_view code = CycleCodeOf(block);
  if (!code.empty()) beginCycle(code, index);
}

void RunTimeRecorder::beginCycle(std::string_view code, int index) {
  for (const CycleKind& kind : cycleKinds) {
    if (kind.code != code) continue;
    const std::string_view feedBlock =
        sim_.lstCommands.List(kind.feedInSecondBlock ? index + 1 : index);
    CycleFeed cycle;
    cycle.hasFeed = contains(feedBlock, "F");
    cycle.feed = wordValue(feedBlock, 'F');
    cycle.threading = kind.threading;
    recorder_.beginCycle(cycle);
    if (kind.repetitionLines) singleCycleIndex_ = index;
  }
}

void RunTimeRecorder::blockExecuted(const std::string& block) {
  const ProgramList& list = sim_.lstCommands;
  const int at = list.ListIndex();
  // The passes of a single cycle run while the list shows the cycle block or a repetition
  // line (which holds no "G"); the program block that ends them runs as it stands.
  if (singleCycleIndex_ >= 0 && at != singleCycleIndex_ && contains(block, "G") &&
      block == list.List(at)) {
    recorder_.endCycle();
    singleCycleIndex_ = -1;
  }
  if (contains(block, ":")) {
    if (SetsProgramZero(block, sim_.lstCommands.ListIndex(), sim_.run.SubprogramLevel)) {
      recorder_.setPosition(0, 0);
    }
    return;
  }
  recorder_.execute(block);
}

}  // namespace draivo
