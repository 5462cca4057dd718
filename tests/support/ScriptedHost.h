#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "run/Host.h"

namespace draivo {
class Simulator;
}

namespace draivo::test {

// A host for run tests: a virtual clock that moves on only inside waitForEvents, a scripted
// user (Start clicks, message-box answers, the open dialog) and a record of what the
// simulator asked of the window.
class ScriptedHost : public Host {
 public:
  // --- the script ---
  // Click Start whenever a busy run waits with StartPressed clear (at its gate).
  bool clickStartWhenWaiting = true;
  std::string dialogAnswer;  // what the open dialog returns ("" = cancelled)
  bool direct = true;        // the "Direct" box
  // Answers of the message boxes in turn; Ok (or No) once they are used up.
  std::deque<MessageAnswer> messageAnswers;
  // Called in every waitForEvents after the clock has moved, before any Start click.
  std::function<void(ScriptedHost&)> onWait;
  // After this many waits the host asks the simulator to quit, so a run that would wait
  // for ever ends and the test fails on `gaveUp` instead of hanging.
  int waitLimit = 100000;

  void attach(Simulator& simulator) { sim_ = &simulator; }
  Simulator& sim() { return *sim_; }

  // --- the record ---
  std::uint64_t clock = 0;
  int waitCalls = 0;
  int processCalls = 0;
  std::vector<int> waitRequests;      // the milliseconds of each waitForEvents
  std::vector<int> startClicksAt;     // lstCommands.ListIndex at each scripted Start click
  std::vector<std::string> messages;  // "title: text"
  std::vector<MessageIcon> messageIcons;
  std::vector<std::string> dialogs;  // titles of the open dialogs shown
  // The end-of-run label: (clock, visible) each time its visibility changed.
  std::vector<std::pair<std::uint64_t, bool>> nullPointChanges;
  int pictureNotices = 0;
  int indicatorNotices = 0;
  int menuNotices = 0;
  bool gaveUp = false;

  // Host
  void processEvents() override;
  void waitForEvents(int maxMilliseconds) override;
  std::uint64_t tickCount() override { return clock; }
  MessageAnswer messageBox(const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon icon) override;
  std::string openFileDialog(const std::string& title, const std::string& filter) override;
  bool directChecked() override { return direct; }
  void labelsChanged() override;
  void indicatorsChanged() override { ++indicatorNotices; }
  void menusChanged() override { ++menuNotices; }
  void pictureChanged() override { ++pictureNotices; }

 private:
  Simulator* sim_ = nullptr;
  bool nullPointVisible_ = false;
};

}  // namespace draivo::test
