#include "run/RunControl.h"

#include <utility>

#include "nc/BlockText.h"
#include "run/Simulator.h"

namespace draivo {
namespace {

constexpr int MachineCellSize = 47;  // spindle and coolant cells, copied unscaled
constexpr int StartCellSize = 46;    // start cells, stretched to StartButtonSize

}  // namespace

ImageCell cellOf(SpindleImage image) {
  switch (image) {
    case SpindleImage::RunningM03:
      return {145, 4, MachineCellSize};
    case SpindleImage::RunningM04:
      return {98, 4, MachineCellSize};
    case SpindleImage::StoppedM04:
      return {4, 4, MachineCellSize};
    case SpindleImage::StoppedM03:
      break;
  }
  return {51, 4, MachineCellSize};
}

ImageCell cellOf(CoolantImage image) {
  return image == CoolantImage::On ? ImageCell{51, 51, MachineCellSize}
                                   : ImageCell{4, 51, MachineCellSize};
}

ImageCell cellOf(StartImage image) {
  switch (image) {
    case StartImage::Step:
      return {145, 51, StartCellSize};
    case StartImage::Running:
      return {192, 51, StartCellSize};
    case StartImage::Idle:
      break;
  }
  return {98, 51, StartCellSize};
}

namespace {

SpindleImage stoppedImageFor(const std::string& direction) {
  return direction == "M04" ? SpindleImage::StoppedM04 : SpindleImage::StoppedM03;
}

}  // namespace

void Simulator::StopByLine(const std::string& block) {
  ++progress_.gate;
  beginEventPoint();
  arriveAtGate();
  do {
    if (!StopLatch) {
      if (menus.optioneelChecked && contains(block, "M01")) {
        StartPressed = false;
        indicators.start = StartImage::Idle;
        indicators.spindle = stoppedImageFor(SpindleDirection);
      } else if (menus.stapChecked) {
        StartPressed = false;
        indicators.start = StartImage::Step;
      }
      StopLatch = true;
      host_.indicatorsChanged();
    }
    if (StartPressed) {
      passEvents();
    } else {
      waitAtGate();
    }
  } while (!StartPressed && !ending());

  if (std::exchange(progress_.waitingAtGate, false)) host_.menusChanged();
  progress_.holding = false;
  StopLatch = false;
  // Thread blocks run through: the block after a G32 block is not held by step mode or M01.
  if (contains(block, "G32") && !contains(block, ":")) StopLatch = true;
}

void Simulator::ShowMachineIndicators(const std::string& block) {
  if (contains(block, "M03")) {
    SpindleDirection = "M03";
    indicators.spindle = SpindleImage::RunningM03;
  } else if (contains(block, "M04")) {
    SpindleDirection = "M04";
    indicators.spindle = SpindleImage::RunningM04;
  } else if (contains(block, "M08")) {
    indicators.coolant = CoolantImage::On;
  } else if (contains(block, "M09")) {
    indicators.coolant = CoolantImage::Off;
  }
  if (contains(block, "M30")) {
    indicators.spindle = stoppedImageFor(SpindleDirection);
    if (run.SubprogramLevel < 2) {
      indicators.start = StartImage::Idle;
      StartPressed = false;
    }
  }
  host_.indicatorsChanged();
}

// Tells the window once of every change of the list's entries or selection: the run loop's
// own, and at every event point, where the window may repaint, those of a cycle moving through
// its contour or repetition lines, which the interpreter makes on its own.
void Simulator::noticeListChange() {
  const ListRevisions now{lstCommands.contentRevision(), lstCommands.selectionRevision()};
  if (now == listNoticed_) return;
  listNoticed_ = now;
  host_.programListChanged();
}

void Simulator::WaitMilliseconds(int milliseconds) {
  if (milliseconds <= 0) return;
  throwIfEnding();
  beginEventPoint();
  if (progress_.mode != RunMode::Live) {
    passEvents();
    return;
  }
  const std::uint64_t end = host_.tickCount() + static_cast<std::uint64_t>(milliseconds);
  for (std::uint64_t now = host_.tickCount(); now < end && !ending(); now = host_.tickCount()) {
    host_.waitForEvents(static_cast<int>(end - now));
    throwIfEnding();
  }
}

void Simulator::processEvents() {
  beginEventPoint();
  passEvents();
}

// The events of an event point that does not wait: a replay takes the inputs recorded there,
// a run to a block handles the window's events now and then, a run as usual every time.
void Simulator::passEvents() {
  switch (progress_.mode) {
    case RunMode::Replaying:
      replayInputs();
      return;
    case RunMode::Hurrying:
      hurryEvents();
      return;
    case RunMode::Live:
      break;
  }
  host_.processEvents();
  throwIfEnding();
}

void Simulator::throwIfEnding() const {
  if (runDepth_ == 0) return;
  if (quitRequested_) throw RunAborted{};
  if (stopRequested_) throw RunStopped{RunOutcome::StoppedByUser};
}

}  // namespace draivo
