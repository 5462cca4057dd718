#pragma once

#include <memory>
#include <string>

#include "nc/Signal.h"
#include "run/CheckpointPart.h"

#include "time/TimeRecorder.h"

namespace draivo {

class Simulator;

// Keeps the machining time of the simulator's runs, fed by the hooks of the run
// (Simulator::onRunStart, Simulator::onBlock, Interpreter::onExecute) from its making to its
// end. It reads the program list to tell which blocks a canned cycle makes.
class RunTimeRecorder : public CheckpointPart {
 public:
  explicit RunTimeRecorder(Simulator& simulator);
  ~RunTimeRecorder() override;
  RunTimeRecorder(const RunTimeRecorder&) = delete;
  RunTimeRecorder& operator=(const RunTimeRecorder&) = delete;

  // Kept with the run's checkpoints: going back to a stop puts the account back as it was.
  std::unique_ptr<State> saveState() const override;
  void restoreState(const State& state) override;

  // Whether a run has begun since the recorder was made; the account then holds what it ran.
  bool hasRun() const { return hasRun_; }
  const TimeAccount& account() const { return recorder_.account(); }

 private:
  void runStarted();
  // The run loop has taken up the program block at the list's ListIndex.
  void blockTakenUp();
  void blockExecuted(const std::string& block);
  void beginCycle(std::string_view code, int index);

  // What a checkpoint keeps: every checkpoint is taken in a run, so hasRun_ is true in each.
  struct Account {
    TimeRecorder recorder;
    int singleCycleIndex;
  };

  Simulator& sim_;
  TimeRecorder recorder_;
  bool hasRun_{};
  int singleCycleIndex_ = -1;  // the G90, G92 or G94 block whose passes are running
  Connection started_, takenUp_, executed_;
};

}  // namespace draivo
