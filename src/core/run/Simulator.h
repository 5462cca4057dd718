#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "nc/Interpreter.h"
#include "nc/MachineStatus.h"
#include "nc/NcHost.h"
#include "nc/ProgramList.h"
#include "nc/Signal.h"
#include "render/PathDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"
#include "run/CheckpointStore.h"
#include "run/Host.h"
#include "run/QuietHost.h"
#include "run/RunJournal.h"
#include "run/ProgramCache.h"
#include "run/RunControl.h"
#include "run/SourceLocation.h"

namespace draivo {

// The run state of the Open command.
struct RunState {
  int SubprogramLevel{};  // 1 = main program, 0 between runs
  std::vector<std::string> ProgramFile;
  std::vector<int> PassCount;
  std::vector<int> BlockPosition;
  std::vector<int> LoadPending;
  std::vector<int> PassNumber;  // the pass being run at each level, kept across calls
  bool RunBusy{};
  bool RerunRequest{};
};

// How the last run ended.
enum class RunOutcome {
  None,            // no run yet, or the file dialog was cancelled
  ReachedEnd,      // the last block of the main program was executed
  FileUnreadable,  // a program file could not be read
  NotAProgram,     // a program file was refused: its bytes are not program text
  NestingTooDeep,  // subprograms nested deeper than Simulator::MaxNestingDepth
  Aborted,         // the window was closed during the run
  StoppedByUser,   // "Stoppen" ended the run
  Fault,           // an unexpected error stopped the run
};

// The block "Uitvoeren tot hier" runs to: a line of a program file.
struct BlockTarget {
  std::string file;
  std::size_t line{};  // 1 = the first line of the file
};

// The core of the main window: the program list, status, view, pictures, run and run control.
// One run is one long call of Open; the user interface is reached only through the Host.
class Simulator : public NcHost {
 public:
  static constexpr int MaxNestingDepth = 32;
  static constexpr int EndMessageMilliseconds = 2000;
  static constexpr const char* StartCaption = "Draivo";
  static constexpr const char* EndMessage = "Opdracht uitgevoerd";
  static constexpr int StartButtonIndex = 2;  // picViewCommand(2), "Start simulatie"
  static constexpr int GatePollMilliseconds = 250;
  static constexpr const char* OpenDialogTitle = "Bestand openen";
  static constexpr const char* OpenDialogFilter =
      "Alle bestanden (*.*)|*.*|NC bestanden (*.nc)|*.nc|Tekst bestanden (*.txt)|*.txt";

  explicit Simulator(Host& host);

  // Window objects.
  ProgramList lstCommands;
  ProgramList lstAutomatic;
  MachineStatus status;
  ViewState view;
  Surface picResult;
  Surface picCalculate;
  Surface picZoom;
  Surface picSave;
  PathDrawer drawer;
  Interpreter interpreter;

  std::string caption = StartCaption;
  std::string dialogFileName;  // the common dialog's file name: the current program file
  MenuState menus;
  Indicators indicators;

  // Run state and run control.
  RunState run;
  bool StartPressed{};
  bool StopLatch{};
  std::string SpindleDirection = "M03";
  RunOutcome lastOutcome = RunOutcome::None;
  // The hooks of the run; each part that follows the run connects to them on its own.
  // A run begins, once its file is chosen and the view cleared.
  Signal<> onRunStart;
  // The file of a level was loaded into lstCommands (the level: 1 = main program).
  Signal<int> onLevelLoaded;
  // The run loop takes up a program block, after its gate.
  Signal<const std::string&> onBlock;
  // A run that began is over: it reached its end or stopped early.
  Signal<> onRunEnd;
  // The pen, drawing a move pixel by pixel on picResult, has drawn this fraction of it.
  Signal<double> onPenProgress;

  // The file whose blocks lstCommands holds ("" before the first run).
  const std::string& listedFile() const { return listedFile_; }
  // The block lstCommands shows now: its file, its line in that file and its text.
  SourceLocation currentLocation() const;

  // Menu and button handlers.
  void Open();                       // "Openen ..."
  // Open with the file as if it had been chosen in the open dialog (a program named on the
  // command line, the design file of "Simulatie").
  void OpenFile(const std::string& fileName);
  // The open dialog on its own, for "Openen ..." during a run: the chosen file, or "" when
  // the dialog was cancelled or the file is refused as no program file (with its message).
  std::string chooseProgramFile();
  void Vernieuw();                   // "Vernieuw": Open with the last file
  void Starten();                    // "Starten": a click on the start button
  void startButtonClick(int index);  // picture buttons 0, 1, 2
  void toggleOptionalStop();         // "Optionele stop"
  void toggleStepMode();             // "Stap voor stap"
  void startupTimer();               // Timer1, one second after start-up
  void setZoomValue(int value);      // HScroll1
  void setSpeedValue(int value);     // HScroll2

  // Closing the window during a run: the run ends at its next wait, promptly.
  void requestQuit();
  bool quitRequested() const { return quitRequested_; }
  // "Stoppen": the busy run ends at its next wait, as one that could not go on does: the
  // picture stays as drawn, the start button shows idle and the next Open works. Without a
  // busy run it does nothing.
  void requestStop();

  void ShowMachineIndicators(const std::string& block);

  // "Stap terug": while the run waits at a gate, it goes back to the stop before (the gate
  // waits again there, with everything as it was then). The stops are counted from the
  // start of the run; a stop is each wait of the gate.
  bool canStepBack() const;
  void stepBack();
  // "Uitvoeren tot hier": runs without drawing pauses and message boxes (their texts go to
  // Host::runNotice) until the block is taken up at a gate for the first time, and holds
  // there in step mode. Without a busy run it starts one; during a run's animation it is
  // taken up at the next gate. A block the run never reaches is said in a message at the end.
  bool canRunToHere() const;
  void runToHere(int listIndex);
  void runTo(const BlockTarget& target);
  // The run waits at the block "Uitvoeren tot hier" ran to.
  bool holdsAtTarget() const { return progress_.holding; }
  // "Uitvoeren tot hier" is on its way to its block.
  bool runsToBlock() const { return progress_.mode == RunMode::Hurrying; }
  // The stop the run waits at, counted from 1; 0 when it does not wait.
  std::size_t stopNumber() const;

  // The parts kept with every checkpoint and put back with it (see CheckpointPart).
  void addCheckpointPart(CheckpointPart& part);
  void removeCheckpointPart(CheckpointPart& part);
  CheckpointStore& checkpoints() { return checkpoints_; }

  // NcHost
  void StopByLine(const std::string& block) override;
  void WaitMilliseconds(int milliseconds) override;
  void processEvents() override;
  bool directChecked() override;
  void setCaption(const std::string& text) override;
  void statusChanged() override;
  void reportProgramFault(const std::string& text) override;
  int SubprogramLevel() const override { return run.SubprogramLevel; }
  void setBlockPosition(int index) override;

  Host& host() { return host_.window(); }

 private:
  QuietHost host_;
  // Thrown by the waits after requestQuit, caught by Open.
  struct RunAborted {};
  // Thrown when the program cannot go on (after its message box), caught by Open.
  struct RunStopped {
    RunOutcome outcome;
  };
  // Thrown at a gate to go back to an earlier gate, or (toTarget) to the first gate of the
  // block of target_ before gate `gate`; caught by runProgram, which replays from the
  // checkpoint before it (the first of the run for a block).
  struct RunRewind {
    std::uint64_t gate;
    bool toTarget;
  };
  enum class LevelEnd { Finished, Called };
  enum class RunMode {
    Live,       // as the user sees it
    Replaying,  // silently again, with the inputs of the journal, to the replay gate or target_
    Hurrying,   // to target_, without pauses, message boxes or stops
  };
  class SimulatorState;

  DrawHooks makeDrawHooks();
  void runProgram();
  std::string programFileName();
  bool acceptMainProgram(const std::string& fileName);
  void reportNotAProgram(const std::string& fileName);
  void runLevels(bool resuming);
  LevelEnd runLevel(int level, bool resuming);
  LoadFailure loadLevelFile(int level);
  [[noreturn]] void stopOnLoadFailure(int level, LoadFailure failure);
  LevelEnd blockLoop(int level);
  bool callSubprogram(int level, const std::string& block);
  void resizeRunLists();
  void finishRun();
  void endRunEarly(RunOutcome outcome);
  void endOfRun();
  void showEndMenus();
  void showIdle();
  // Ends the run from inside a wait after requestQuit or requestStop.
  void throwIfEnding() const;
  bool ending() const { return quitRequested_ || stopRequested_; }
  void setStartPressed(bool pressed, StartImage image);
  MessageAnswer showMessage(const std::string& text, const std::string& title,
                            MessageButtons buttons, MessageIcon icon);

  // Step back and run to a block (RunRewind.cpp).
  void resetRewind();
  std::uint64_t stepBackFrom() const;
  bool recording() const { return run.RunBusy && progress_.mode != RunMode::Replaying; }
  void record(RunInput input, int value);
  void beginEventPoint() {
    ++progress_.eventPoints;
    noticeListChange();
  }
  void noticeListChange();
  void passEvents();
  void replayInputs();
  void applyInput(const JournalEntry& entry);
  void hurryEvents();
  void arriveAtGate();
  void waitAtGate();
  void takeUpRequests();
  void hold();
  bool atTarget(const BlockTarget& target) const;
  void markSeen();
  bool seen(const BlockTarget& target) const;
  void goLive();
  void takeCheckpoint();
  void beginReplay(const RunRewind& rewind);
  void endHurry(bool reachedEnd);

  // Where the run stands for "Stap terug" and "Uitvoeren tot hier"; every run starts from a
  // fresh one.
  struct RewindProgress {
    RunMode mode = RunMode::Live;
    std::uint64_t gate{};              // gates the run has come to
    std::uint64_t eventPoints{};       // event points the run has come to
    std::vector<std::uint64_t> stops;  // the gates at which the run waited, in order
    std::uint64_t replayGate{};
    bool replayToTarget{};
    std::uint64_t rewindGate{};                     // "Stap terug" asked to go back to this gate
    std::optional<BlockTarget> pendingTarget;       // asked for during an animation
    std::map<std::string, std::vector<bool>> seen;  // blocks taken up at a gate
    std::optional<bool> direct;                     // "Direct" as last read; none before that
    MessageAnswer replayedAnswer = MessageAnswer::Ok;
    std::uint64_t hurryEventsAt{};
    bool waitingAtGate{};
    bool holding{};
  };

  RewindProgress progress_;
  // The list's entries and selection when the window last heard of them.
  using ListRevisions = std::pair<std::uint64_t, std::uint64_t>;
  ListRevisions listNoticed_;
  RunJournal journal_;
  CheckpointStore checkpoints_;
  std::vector<CheckpointPart*> parts_;
  std::optional<BlockTarget> target_;

  bool quitRequested_{};
  bool stopRequested_{};
  bool runStarted_{};      // onRunStart was sent for the run in progress
  int runDepth_{};         // Open calls in progress
  std::string lastBlock_;  // the last block the run loop took up
  std::string fileToOpen_;  // OpenFile's file, instead of the dialog's
  std::string listedFile_;
  ProgramCache programs_;  // the files of this run, kept for the return from a subprogram
  ProgramCache::Loaded mainProgram_;  // the main program, read before the run began
};

}  // namespace draivo
