#include "run/HeadlessRun.h"

#include <algorithm>
#include <optional>

#include "time/RunTimeRecorder.h"

namespace draivo {
namespace {

// A host without a window: a virtual clock that jumps over every wait, and a user who
// clicks Start whenever a run waits.
class HeadlessHost : public Host {
 public:
  HeadlessHost(bool direct, std::function<void(const std::string&)> onMessage)
      : direct_(direct), onMessage_(std::move(onMessage)) {}

  void attach(Simulator& simulator) { sim_ = &simulator; }
  const std::vector<std::string>& messages() const { return messages_; }
  const std::vector<RunMessage>& messageBoxes() const { return boxes_; }

  void processEvents() override {}
  bool reachedTarget() const { return reachedTarget_; }

  void waitForEvents(int maxMilliseconds) override {
    clock_ += static_cast<std::uint64_t>(std::max(maxMilliseconds, 1));
    if (sim_ && sim_->holdsAtTarget()) {
      reachedTarget_ = true;
      sim_->requestStop();
      return;
    }
    if (sim_ && sim_->run.RunBusy && !sim_->StartPressed) sim_->startButtonClick(Simulator::StartButtonIndex);
  }
  std::uint64_t tickCount() override { return clock_; }

  MessageAnswer messageBox(const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon) override {
    messages_.push_back(title + ": " + text);
    boxes_.push_back({title, text, sim_ ? sim_->currentLocation() : SourceLocation{}});
    if (onMessage_) onMessage_(messages_.back());
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  void runNotice(const std::string& message) override {
    messages_.push_back(message);
    if (onMessage_) onMessage_(messages_.back());
  }
  std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
  bool directChecked() override { return direct_; }

 private:
  bool direct_;
  std::function<void(const std::string&)> onMessage_;
  Simulator* sim_ = nullptr;
  std::uint64_t clock_{};
  bool reachedTarget_{};
  std::vector<std::string> messages_;
  std::vector<RunMessage> boxes_;
};

}  // namespace

std::vector<StatusRow> StatusRows(const MachineStatus& status) {
  return {{MeasureUnitCaption, status.lblMeasureUnitV},
          {RadCompCaption, status.lblRadCompV},
          {MaxSpeedCaption, status.lblMaxSpeedV},
          {status.lblConstant, status.lblConstantV},
          {FeedCaption, status.lblFeedV}};
}

HeadlessExit ExitOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::ReachedEnd:
      return HeadlessExit::ReachedEnd;
    case RunOutcome::FileUnreadable:
    case RunOutcome::NotAProgram:
      return HeadlessExit::FileUnreadable;
    default:
      return HeadlessExit::Stopped;
  }
}

HeadlessExit HeadlessResult::exit() const {
  if (untilLine && reachedTarget) return HeadlessExit::ReachedEnd;
  if (untilLine && outcome == RunOutcome::ReachedEnd) return HeadlessExit::NotReached;
  return ExitOf(outcome);
}

HeadlessResult RunHeadless(const std::string& programFile, const HeadlessOptions& options) {
  HeadlessResult result;
  HeadlessHost host(options.direct, options.onMessage);
  Simulator sim(host);
  host.attach(sim);
  sim.startupTimer();
  sim.view.ZoomFactor = options.zoom;
  sim.view.DrawDelay = 0;
  // Nothing goes back in a run without a window: the first checkpoint is all it keeps.
  sim.checkpoints().setStartInterval(CheckpointStore::NoInterval);

  std::uint64_t steps = 0;
  result.stepBudget =
      options.stepBudget != 0 ? options.stepBudget : HeadlessOptions::MinimumStepBudget;
  const auto countStep = [&] {
    if (++steps <= result.stepBudget) return true;
    if (!result.budgetExhausted) result.stoppedAt = sim.currentLocation();
    result.budgetExhausted = true;
    sim.requestQuit();
    return false;
  };
  const Connection budget = sim.onBlock.connect([&](const std::string&) {
    if (options.stepBudget == 0) {
      const auto lines = static_cast<std::uint64_t>(sim.lstCommands.ListCount());
      result.stepBudget = std::max(result.stepBudget, lines * HeadlessOptions::StepsPerLine);
    }
    countStep();
  });
  const Connection trace = sim.interpreter.onExecute.connect([&](const std::string& block) {
    if (!countStep()) return;
    ++result.executedBlocks;
    if (options.collectTrace) result.trace.push_back(block);
    if (options.onTrace) options.onTrace(block);
  });
  std::optional<RunTimeRecorder> time;
  if (options.recordTime) time.emplace(sim);
  std::optional<RunStock> stock;
  if (options.workpiece.source != WorkpieceSetup::Source::None) stock.emplace(sim, options.workpiece);

  sim.dialogFileName = programFile;
  if (options.untilLine != 0) {
    sim.runTo({programFile, options.untilLine});
  } else {
    sim.Vernieuw();
  }

  result.outcome = sim.lastOutcome;
  result.untilLine = options.untilLine != 0;
  result.reachedTarget = host.reachedTarget();
  result.messages = host.messages();
  result.messageBoxes = host.messageBoxes();
  result.status = StatusRows(sim.status);
  result.picture = sim.picResult;
  if (time) result.time = time->account();
  if (stock) {
    result.workpiece = stock->workpiece();
    result.warnings = stock->warnings();
    result.blankFault = stock->blankFault();
  }
  return result;
}

}  // namespace draivo
