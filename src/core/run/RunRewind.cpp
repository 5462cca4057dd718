// Step back and run to a block. The run is deterministic given the user's inputs, so an
// earlier stop is reached again by putting back the checkpoint taken before it (at a gate
// of the block loop, where nothing of a cycle is on the stack) and replaying silently from
// there, with the inputs the journal recorded at the same event points, up to that stop.

#include <algorithm>
#include <utility>

#include "nc/BlockText.h"
#include "run/PictureSnapshot.h"
#include "run/Simulator.h"

namespace draivo {
namespace {

constexpr int HurryEventSpacingMilliseconds = 50;
constexpr const char* RunToHereTitle = "Uitvoeren tot hier";

std::string notReachedMessage(const BlockTarget& target) {
  const std::string name = target.file.substr(target.file.find_last_of("/\\") + 1);
  return "Regel " + std::to_string(target.line) + " van " + name + " is niet bereikt.";
}

}  // namespace

// Everything of the simulator that a later block can read, at a gate of the block loop.
class Simulator::SimulatorState : public CheckpointPart::State {
 public:
  std::size_t bytes() const override {
    return sizeof(*this) + result.bytes() + lastBlock.capacity();
  }

  RunState run;
  bool startPressed{};
  bool stopLatch{};
  std::string spindleDirection;
  Indicators indicators;
  MenuState menus;
  std::string caption;
  std::string lastBlock;
  std::string listedFile;
  MachineStatus status;
  ViewState view;
  bool rapidMode{};
  ArcResults arc;
  std::shared_ptr<const BlockTexts> commands;
  int commandsIndex = -1, commandsTop{};
  PictureSnapshot result;
  // picCalculate and lstAutomatic are not kept: a roughing cycle clears both before it draws
  // and probes, and nothing else reads them, so what they hold between two program blocks never
  // matters.
  std::uint64_t eventPoints{};
  std::size_t journalSize{};
  std::optional<bool> direct;
};

void Simulator::resetRewind() {
  progress_ = RewindProgress{};
  if (target_) progress_.mode = RunMode::Hurrying;
  host_.quiet = false;
  journal_.clear();
  checkpoints_.clear();
}

void Simulator::addCheckpointPart(CheckpointPart& part) {
  parts_.push_back(&part);
}

void Simulator::removeCheckpointPart(CheckpointPart& part) {
  parts_.erase(std::remove(parts_.begin(), parts_.end(), &part), parts_.end());
}

// The gate a step back goes back from: the one an earlier click of this wait went back to.
std::uint64_t Simulator::stepBackFrom() const {
  return progress_.rewindGate ? progress_.rewindGate : progress_.gate;
}

bool Simulator::canStepBack() const {
  const std::vector<std::uint64_t>& stops = progress_.stops;
  return progress_.waitingAtGate && stops.size() >= 2 && stops.front() < stepBackFrom();
}

// Each click goes one stop further back than the one before it during the same wait.
void Simulator::stepBack() {
  if (!canStepBack()) return;
  const std::vector<std::uint64_t>& stops = progress_.stops;
  progress_.rewindGate = *(std::lower_bound(stops.begin(), stops.end(), stepBackFrom()) - 1);
}

std::size_t Simulator::stopNumber() const {
  if (!progress_.waitingAtGate) return 0;
  const std::vector<std::uint64_t>& stops = progress_.stops;
  const auto at = std::lower_bound(stops.begin(), stops.end(), progress_.gate);
  return static_cast<std::size_t>(at - stops.begin()) + 1;
}

bool Simulator::canRunToHere() const {
  if (lstCommands.ListCount() == 0) return false;
  if (run.RunBusy) return progress_.mode == RunMode::Live;
  return menus.vernieuwEnabled && !dialogFileName.empty();
}

void Simulator::runToHere(int listIndex) {
  if (!canRunToHere() || listIndex < 0 || listIndex >= lstCommands.ListCount()) return;
  runTo({listedFile_, lstCommands.lineOf(listIndex)});
}

void Simulator::runTo(const BlockTarget& target) {
  if (run.RunBusy) {
    progress_.pendingTarget = target;
    return;
  }
  if (dialogFileName.empty()) return;
  target_ = target;
  Vernieuw();
  target_.reset();
}

void Simulator::record(RunInput input, int value) {
  if (recording()) journal_.record(progress_.eventPoints, input, value);
}

void Simulator::replayInputs() {
  while (const auto entry = journal_.next(progress_.eventPoints)) applyInput(*entry);
}

void Simulator::applyInput(const JournalEntry& entry) {
  switch (entry.input) {
    case RunInput::Zoom:
      setZoomValue(entry.value);
      break;
    case RunInput::Speed:
      setSpeedValue(entry.value);
      break;
    case RunInput::OptionalStop:
      toggleOptionalStop();
      break;
    case RunInput::StepMode:
      toggleStepMode();
      break;
    case RunInput::Start:
      startButtonClick(StartButtonIndex);
      break;
    case RunInput::Direct:
      progress_.direct = entry.value != 0;
      break;
    case RunInput::Answer:
      progress_.replayedAnswer = static_cast<MessageAnswer>(entry.value);
      break;
    case RunInput::Hold:
      menus.stapChecked = true;
      StopLatch = false;
      host_.menusChanged();
      break;
  }
}

// A run to a block handles the window's events at most every HurryEventSpacingMilliseconds,
// so that the window can still be closed or the run stopped.
void Simulator::hurryEvents() {
  const std::uint64_t now = host_.tickCount();
  if (now < progress_.hurryEventsAt) return;
  progress_.hurryEventsAt = now + HurryEventSpacingMilliseconds;
  host_.processEvents();
  throwIfEnding();
}

MessageAnswer Simulator::showMessage(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon) {
  if (!run.RunBusy) return host_.messageBox(text, title, buttons, icon);
  beginEventPoint();
  MessageAnswer answer = buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  switch (progress_.mode) {
    case RunMode::Replaying:
      progress_.replayedAnswer = answer;
      replayInputs();
      return progress_.replayedAnswer;
    case RunMode::Hurrying:
      host_.runNotice(title + ": " + text);
      break;
    case RunMode::Live:
      answer = host_.messageBox(text, title, buttons, icon);
      break;
  }
  record(RunInput::Answer, static_cast<int>(answer));
  return answer;
}

// Before the gate's check: a replay puts back the holds recorded here and goes live at the
// stop it replays to; a run to a block holds when it has come to it.
void Simulator::arriveAtGate() {
  markSeen();
  switch (progress_.mode) {
    case RunMode::Replaying:
      while (const auto entry = journal_.next(progress_.eventPoints, true)) applyInput(*entry);
      if (!progress_.replayToTarget) {
        if (progress_.gate >= progress_.replayGate) goLive();
      } else if (target_ && atTarget(*target_)) {
        goLive();
        hold();
      } else if (progress_.gate > progress_.replayGate) {
        // Past the gate where the run was asked: the block lies ahead.
        goLive();
        progress_.mode = RunMode::Hurrying;
      }
      return;
    case RunMode::Hurrying:
      if (atTarget(*target_)) {
        progress_.mode = RunMode::Live;
        hold();
      }
      return;
    case RunMode::Live:
      takeUpRequests();
      return;
  }
}

void Simulator::waitAtGate() {
  switch (progress_.mode) {
    case RunMode::Replaying:
      replayInputs();
      if (StartPressed) return;
      // The journal ends here: the replay has come to where the run waited when it was asked
      // to run to a block that it did not meet on the way.
      goLive();
      if (!target_) return;
      progress_.mode = RunMode::Hurrying;
      [[fallthrough]];
    case RunMode::Hurrying:
      startButtonClick(StartButtonIndex);
      hurryEvents();
      return;
    case RunMode::Live:
      break;
  }
  if (progress_.stops.empty() || progress_.stops.back() < progress_.gate)
    progress_.stops.push_back(progress_.gate);
  if (!std::exchange(progress_.waitingAtGate, true)) host_.menusChanged();
  host_.waitForEvents(GatePollMilliseconds);
  throwIfEnding();
  takeUpRequests();
}

void Simulator::takeUpRequests() {
  if (progress_.rewindGate != 0) throw RunRewind{std::exchange(progress_.rewindGate, 0), false};
  if (!progress_.pendingTarget) return;
  const BlockTarget target = *std::exchange(progress_.pendingTarget, std::nullopt);
  if (atTarget(target)) {
    record(RunInput::Hold, 0);
    applyInput({progress_.eventPoints, RunInput::Hold, 0});
    progress_.holding = true;
    return;
  }
  target_ = target;
  if (seen(target)) throw RunRewind{progress_.gate, true};
  progress_.mode = RunMode::Hurrying;
}

void Simulator::hold() {
  target_.reset();
  record(RunInput::Hold, 0);
  applyInput({progress_.eventPoints, RunInput::Hold, 0});
  progress_.holding = true;
  host_.labelsChanged();
}

bool Simulator::atTarget(const BlockTarget& target) const {
  return listedFile_ == target.file && lstCommands.lineOf(lstCommands.ListIndex()) == target.line;
}

void Simulator::markSeen() {
  const int index = lstCommands.ListIndex();
  if (index < 0) return;
  std::vector<bool>& taken = progress_.seen[listedFile_];
  const auto count = static_cast<std::size_t>(lstCommands.ListCount());
  if (taken.size() < count) taken.resize(count);
  taken[static_cast<std::size_t>(index)] = true;
}

// Whether a block of the line was taken up at a gate of this run, also before a step back.
bool Simulator::seen(const BlockTarget& target) const {
  const auto file = progress_.seen.find(target.file);
  if (file == progress_.seen.end() || listedFile_ != target.file)
    return file != progress_.seen.end();
  for (int index = 0; index < lstCommands.ListCount(); ++index) {
    if (lstCommands.lineOf(index) != target.line) continue;
    const auto at = static_cast<std::size_t>(index);
    return at < file->second.size() && file->second[at];
  }
  return false;
}

// The replay has come to where the run goes on as usual: what was recorded after this point
// belongs to the run that went on before, and the window is shown the state reached.
void Simulator::goLive() {
  progress_.mode = RunMode::Live;
  journal_.dropUnreplayed();
  checkpoints_.dropAfter(progress_.gate - 1);
  progress_.stops.erase(
      std::upper_bound(progress_.stops.begin(), progress_.stops.end(), progress_.gate),
      progress_.stops.end());
  host_.quiet = false;
  host_.showAll();
}

void Simulator::takeCheckpoint() {
  if (progress_.mode == RunMode::Replaying || !checkpoints_.due(progress_.gate)) return;
  auto state = std::make_unique<SimulatorState>();
  state->run = run;
  state->startPressed = StartPressed;
  state->stopLatch = StopLatch;
  state->spindleDirection = SpindleDirection;
  state->indicators = indicators;
  state->menus = menus;
  state->caption = caption;
  state->lastBlock = lastBlock_;
  state->listedFile = listedFile_;
  state->status = status;
  state->view = view;
  state->rapidMode = drawer.RapidMode;
  state->arc = drawer.arc;
  state->commands = lstCommands.texts();
  state->commandsIndex = lstCommands.ListIndex();
  state->commandsTop = lstCommands.TopIndex();
  state->result = PictureSnapshot(picResult);
  state->eventPoints = progress_.eventPoints;
  state->journalSize = journal_.size();
  state->direct = progress_.direct;

  Checkpoint checkpoint;
  checkpoint.gatesPassed = progress_.gate;
  checkpoint.states.push_back(std::move(state));
  for (const CheckpointPart* part : parts_) checkpoint.states.push_back(part->saveState());
  checkpoints_.add(std::move(checkpoint));
}

// Puts back the checkpoint before the gate (to find the target block: the first of the run)
// and replays from it.
void Simulator::beginReplay(const RunRewind& rewind) {
  const Checkpoint* from = checkpoints_.before(rewind.toTarget ? 1 : rewind.gate);
  const auto& state = static_cast<const SimulatorState&>(*from->states.front());
  run = state.run;
  StartPressed = state.startPressed;
  StopLatch = state.stopLatch;
  SpindleDirection = state.spindleDirection;
  indicators = state.indicators;
  menus = state.menus;
  caption = state.caption;
  lastBlock_ = state.lastBlock;
  listedFile_ = state.listedFile;
  status = state.status;
  view = state.view;
  drawer.RapidMode = state.rapidMode;
  drawer.arc = state.arc;
  lstCommands.setBlocks(state.commands);
  lstCommands.setListIndex(state.commandsIndex);
  lstCommands.setTopIndex(state.commandsTop);
  state.result.restore(picResult);
  progress_.eventPoints = state.eventPoints;
  journal_.replayFrom(state.journalSize);
  progress_.direct = state.direct;
  for (std::size_t i = 0; i < parts_.size() && i + 1 < from->states.size(); ++i) {
    parts_[i]->restoreState(*from->states[i + 1]);
  }

  progress_.gate = from->gatesPassed;
  progress_.replayGate = rewind.gate;
  progress_.replayToTarget = rewind.toTarget;
  progress_.waitingAtGate = false;
  progress_.holding = false;
  progress_.mode = RunMode::Replaying;
  host_.quiet = true;
}

// A run to a block that ends before it came there says so once it has reached its end.
void Simulator::endHurry(bool reachedEnd) {
  host_.quiet = false;
  progress_.mode = RunMode::Live;
  progress_.pendingTarget.reset();
  const std::optional<BlockTarget> target = std::exchange(target_, std::nullopt);
  if (reachedEnd && target) {
    host_.messageBox(notReachedMessage(*target), RunToHereTitle, MessageButtons::Ok,
                     MessageIcon::Information);
  }
}

}  // namespace draivo
