#include <exception>
#include <utility>

#include "nc/BlockText.h"
#include "run/FileHelpers.h"
#include "run/ProgramFileCheck.h"
#include "run/Simulator.h"
#include "run/SubprogramCall.h"

namespace draivo {
namespace {

constexpr const char* NotFoundTitle = "Bestand niet gevonden";
constexpr const char* UnreadableTitle = "Bestand niet leesbaar";
constexpr const char* ProgramFaultTitle = "Programmafout";

std::string nestingMessage(const std::string& fileName) {
  return "Te veel geneste subprogramma's (meer dan " + std::to_string(Simulator::MaxNestingDepth) +
         "): " + fileName;
}

template <typename T>
T& at(std::vector<T>& list, int index) {
  return list[static_cast<std::size_t>(index)];
}

}  // namespace

void Simulator::Open() {
  if (run.RunBusy || quitRequested_) return;
  run.RunBusy = true;
  ++runDepth_;
  try {
    runProgram();
  } catch (const RunAborted&) {
    endRunEarly(RunOutcome::Aborted);
  } catch (const RunStopped& stopped) {
    endRunEarly(stopped.outcome);
  } catch (const std::exception& error) {
    endRunEarly(RunOutcome::Fault);
    host_.messageBox(std::string("Onverwachte fout: ") + error.what(), ProgramFaultTitle,
                     MessageButtons::Ok, MessageIcon::Critical);
  }
  --runDepth_;
}

void Simulator::OpenFile(const std::string& fileName) {
  if (run.RunBusy || fileName.empty()) return;
  fileToOpen_ = fileName;
  Open();
  fileToOpen_.clear();
}

std::string Simulator::chooseProgramFile() {
  const std::string chosen = host_.openFileDialog(OpenDialogTitle, OpenDialogFilter);
  if (chosen.empty() || CheckProgramFile(chosen) != LoadFailure::NotAProgram) return chosen;
  reportNotAProgram(chosen);
  return {};
}

void Simulator::runProgram() {
  stopRequested_ = false;
  resetRewind();
  programs_.clear();
  const std::string fileName = programFileName();
  if (!fileName.empty() && !acceptMainProgram(fileName)) {
    run.RunBusy = false;
    return;
  }
  if (!run.RerunRequest && !fileName.empty()) dialogFileName = fileName;

  lastOutcome = RunOutcome::None;
  run.SubprogramLevel = 1;
  resizeRunLists();
  at(run.BlockPosition, 1) = 0;
  at(run.PassCount, 1) = 1;
  at(run.PassNumber, 1) = 1;
  at(run.ProgramFile, 1) = fileName;
  status.SetLabelsNothing();
  host_.labelsChanged();
  if (fileName.empty()) {
    run.SubprogramLevel = 0;
    resizeRunLists();
    run.RunBusy = false;
    return;
  }

  setCaption(StartCaption);
  menus.vernieuwEnabled = false;
  menus.figuurOpslaanEnabled = false;
  menus.startenEnabled = true;
  menus.startButtonEnabled = true;
  host_.menusChanged();
  ResetView(picResult, view);
  host_.pictureChanged();
  runStarted_ = true;
  onRunStart();

  for (bool resuming = false;; resuming = true) {
    try {
      runLevels(resuming);
      break;
    } catch (const RunRewind& rewind) {
      beginReplay(rewind);
    }
  }
  finishRun();
}

// The file of the run: the last one for "Vernieuw", the one given to OpenFile, otherwise the
// one chosen in the open dialog. A cancelled dialog gives "" and keeps the last file for
// "Vernieuw".
std::string Simulator::programFileName() {
  if (run.RerunRequest) return dialogFileName;
  if (!fileToOpen_.empty()) return fileToOpen_;
  return host_.openFileDialog(OpenDialogTitle, OpenDialogFilter);
}

// Reads the main program before anything of the window changes: a file that is not a program
// is refused with a message and leaves the program, picture, caption, menus and the file of
// "Vernieuw" as they were. A file that cannot be read is reported once the run has begun,
// as a subprogram file is.
bool Simulator::acceptMainProgram(const std::string& fileName) {
  mainProgram_ = programs_.load(fileName);
  if (mainProgram_.failure != LoadFailure::NotAProgram) return true;
  mainProgram_ = {};
  lastOutcome = RunOutcome::NotAProgram;
  reportNotAProgram(fileName);
  return false;
}

void Simulator::reportNotAProgram(const std::string& fileName) {
  showMessage(NotAProgramMessage(fileName), NotAProgramTitle, MessageButtons::Ok,
                   MessageIcon::Exclamation);
}

// Runs the levels from the start, or, resuming, from the gate of a checkpoint put back.
void Simulator::runLevels(bool resuming) {
  while (run.SubprogramLevel >= 1) {
    const LevelEnd end = runLevel(run.SubprogramLevel, std::exchange(resuming, false));
    if (end == LevelEnd::Called) continue;
    --run.SubprogramLevel;
    resizeRunLists();
  }
}

// Runs the passes of one level from its saved position; a level that is entered again after
// a subprogram call reloads its file and keeps its pass counter. A level resumed at a
// checkpoint has its list and position put back already.
Simulator::LevelEnd Simulator::runLevel(int level, bool resuming) {
  bool loaded = resuming;
  int& pass = at(run.PassNumber, level);
  while (pass <= at(run.PassCount, level) && !at(run.ProgramFile, level).empty()) {
    bool passOver = false;
    if (!loaded) {
      const LoadFailure failure = loadLevelFile(level);
      if (failure != LoadFailure::None) stopOnLoadFailure(level, failure);
      loaded = true;
      if (lstCommands.ListCount() == 0) return LevelEnd::Finished;
      const int position = at(run.BlockPosition, level);
      passOver = position < 0 || position >= lstCommands.ListCount();
      if (!passOver) {
        lstCommands.setListIndex(position);
        lstCommands.setTopIndex(position);
        noticeListChange();
      }
    } else if (!std::exchange(resuming, false)) {
      lstCommands.setListIndex(0);
      at(run.BlockPosition, level) = 0;
    }
    if (!passOver && blockLoop(level) == LevelEnd::Called) return LevelEnd::Called;
    // The reference stays valid: the lists are resized only by calls, which returned above.
    if (pass >= at(run.PassCount, level)) break;
    ++pass;
  }
  return LevelEnd::Finished;
}

LoadFailure Simulator::loadLevelFile(int level) {
  at(run.LoadPending, level) = 1;
  // The main program's first load is the one read before the run began.
  const ProgramCache::Loaded loaded = level == 1 && mainProgram_.program
                                          ? std::exchange(mainProgram_, {})
                                          : programs_.load(at(run.ProgramFile, level));
  const auto& program = loaded.program;
  if (!program) return loaded.failure;
  lstCommands.setBlocks(program->blocks);
  listedFile_ = at(run.ProgramFile, level);
  noticeListChange();
  // The main program names itself, or leaves the start-up caption: a caption of an earlier
  // program or of a subprogram must not name it (the picture export is named after it).
  if (program->caption) {
    setCaption(*program->caption);
  } else if (level == 1) {
    setCaption(StartCaption);
  }
  onLevelLoaded(level);
  return LoadFailure::None;
}

void Simulator::stopOnLoadFailure(int level, LoadFailure failure) {
  const std::string& fileName = at(run.ProgramFile, level);
  if (failure == LoadFailure::NotAProgram) {
    reportNotAProgram(fileName);
    throw RunStopped{RunOutcome::NotAProgram};
  }
  showMessage(fileName, UnreadableTitle, MessageButtons::Ok, MessageIcon::Critical);
  throw RunStopped{RunOutcome::FileUnreadable};
}

Simulator::LevelEnd Simulator::blockLoop(int level) {
  for (;;) {
    takeCheckpoint();
    const int position = at(run.BlockPosition, level);
    lstCommands.setListIndex(position);
    lstCommands.setTopIndex(position);
    noticeListChange();
    // The buffer keeps its room from block to block.
    lastBlock_.assign(lstCommands.List(lstCommands.ListIndex()));
    const std::string& block = lastBlock_;
    StopByLine(block);
    ShowMachineIndicators(block);
    onBlock(block);
    if (!contains(block, "M98")) interpreter.InterpretBlock(lstCommands.ListIndex());

    const std::string_view current = lstCommands.List(lstCommands.ListIndex());
    if (contains(current, "M98") && callSubprogram(level, std::string(current))) {
      return LevelEnd::Called;
    }

    const int next = ++at(run.BlockPosition, level);
    const int last = lstCommands.ListCount() - 1;
    if (lstCommands.ListIndex() >= last || next > last || next < 0) return LevelEnd::Finished;
  }
}

// Enters the subprogram of an M98 block; false when its file is missing (the run goes on
// after the block).
bool Simulator::callSubprogram(int level, const std::string& block) {
  const SubprogramCall call = SubprogramCallOf(block, dialogFileName);
  if (!FileExists(call.fileName)) {
    showMessage(call.fileName, NotFoundTitle, MessageButtons::Ok, MessageIcon::Information);
    return false;
  }
  if (level >= MaxNestingDepth) {
    showMessage(nestingMessage(call.fileName), ProgramFaultTitle, MessageButtons::Ok,
                     MessageIcon::Critical);
    throw RunStopped{RunOutcome::NestingTooDeep};
  }
  if (call.passesCapped) {
    reportProgramFault("Aantal herhalingen begrensd op " + std::to_string(MaxSubprogramPasses) +
                       ": " + block);
  }
  ++at(run.BlockPosition, level);
  run.SubprogramLevel = level + 1;
  resizeRunLists();
  at(run.PassCount, level + 1) = call.passes;
  at(run.ProgramFile, level + 1) = call.fileName;
  at(run.PassNumber, level + 1) = 1;
  at(run.BlockPosition, level + 1) = 0;
  return true;
}

void Simulator::resizeRunLists() {
  const auto size = static_cast<std::size_t>(std::max(run.SubprogramLevel, 0) + 1);
  run.ProgramFile.resize(size);
  run.PassCount.resize(size);
  run.BlockPosition.resize(size);
  run.LoadPending.resize(size);
  run.PassNumber.resize(size);
}

// Tells the parts that follow the run that it is over, once per run that began.
void Simulator::endOfRun() {
  if (!std::exchange(runStarted_, false)) return;
  onRunEnd();
}

void Simulator::finishRun() {
  endHurry(true);
  endOfRun();
  programs_.clear();
  stopRequested_ = false;
  run.SubprogramLevel = 0;
  resizeRunLists();
  at(run.BlockPosition, 0) = 0;
  run.RunBusy = false;
  lastOutcome = RunOutcome::ReachedEnd;
  showEndMenus();
  showIdle();
  status.lblNullPoint = EndMessage;
  status.nullPointVisible = true;
  host_.labelsChanged();
  WaitMilliseconds(EndMessageMilliseconds);
  status.nullPointVisible = false;
  host_.labelsChanged();
  if (contains(lastBlock_, "M30")) {
    lstCommands.setListIndex(0);
    noticeListChange();
  }
}

// Ends a run that could not reach its end: the state is as after a run, without the end
// message.
void Simulator::endRunEarly(RunOutcome outcome) {
  endHurry(false);
  endOfRun();
  programs_.clear();
  mainProgram_ = {};
  stopRequested_ = false;
  run.SubprogramLevel = 0;
  resizeRunLists();
  run.RunBusy = false;
  StopLatch = false;
  if (!(outcome == RunOutcome::Aborted && lastOutcome == RunOutcome::ReachedEnd)) {
    lastOutcome = outcome;
  }
  status.nullPointVisible = false;
  host_.labelsChanged();
  showEndMenus();
  showIdle();
}

// Nothing runs any more: the start button says so, and a Start pressed during the run does
// not let the next Open pass its first gate. A Start click from now on (also during the end
// message) starts a rerun.
void Simulator::showIdle() {
  setStartPressed(false, StartImage::Idle);
}

void Simulator::showEndMenus() {
  menus.vernieuwEnabled = true;
  menus.figuurOpslaanEnabled = true;
  menus.startenEnabled = false;
  host_.menusChanged();
}

}  // namespace draivo
