#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "run/HeadlessRun.h"
#include "run/Host.h"
#include "run/Simulator.h"
#include "support/TempFolder.h"

namespace draivo::test {

// The names of the three button images: "idle stopped-m03 off".
inline std::string ImageNames(const Indicators& indicators) {
  static const char* const start[] = {"idle", "step", "running"};
  static const char* const spindle[] = {"running-m03", "running-m04", "stopped-m04", "stopped-m03"};
  static const char* const coolant[] = {"on", "off"};
  return std::string(start[static_cast<int>(indicators.start)]) + " " +
         spindle[static_cast<int>(indicators.spindle)] + " " +
         coolant[static_cast<int>(indicators.coolant)];
}

// The status panel's rows as "caption<TAB>value" lines.
inline std::vector<std::string> StatusLines(const std::vector<StatusRow>& rows) {
  std::vector<std::string> lines;
  for (const StatusRow& row : rows) lines.push_back(row.caption + "\t" + row.value);
  return lines;
}

// A host for run tests: a virtual clock that moves on only inside waitForEvents, a scripted
// user who clicks Start whenever a busy run waits at its gate, and a record of what the run
// asked of the window.
class ScriptedHost : public Host {
 public:
  // After this many waits the host closes the window, so that a run that would wait for ever
  // ends instead of hanging the test.
  static constexpr int WaitLimit = 1'000'000;

  std::string dialogAnswer;  // what the open dialog returns ("" = cancelled)
  bool direct = true;        // the "Direct" box
  // Called in every waitForEvents after the clock has moved, before any Start click.
  std::function<void(ScriptedHost&)> onWait;
  // Waits at the gate in which the user does not click Start (onWait may set it).
  int skipClicks = 0;
  // The texts of message boxes a run to a block did not show (Host::runNotice).
  std::vector<std::string> notices;

  std::uint64_t clock = 0;
  int waitCalls = 0;
  std::vector<std::string> gateClicks;  // "list index, start image, spindle image" per click
  std::vector<std::string> messages;    // "title: text"
  std::vector<MessageIcon> messageIcons;
  int dialogs = 0;  // open dialogs shown
  std::uint64_t shownPicture = 0;
  // Each showing of the label over the status panel: "from-to text" on the clock.
  std::vector<std::string> labels;

  void attach(Simulator& simulator) { sim_ = &simulator; }
  // Called when the run hands the window its events without waiting.
  std::function<void(ScriptedHost&)> onEvents;
  void processEvents() override {
    if (onEvents) onEvents(*this);
  }
  void waitForEvents(int maxMilliseconds) override {
    ++waitCalls;
    clock += static_cast<std::uint64_t>(std::max(maxMilliseconds, 1));
    if (onWait) onWait(*this);
    if (!sim_) return;
    if (waitCalls >= WaitLimit) {
      sim_->requestQuit();
    } else if (skipClicks > 0) {
      --skipClicks;
    } else if (sim_->run.RunBusy && !sim_->StartPressed) {
      const std::string images = ImageNames(sim_->indicators);  // without the coolant
      gateClicks.push_back(std::to_string(sim_->lstCommands.ListIndex()) + " " +
                           images.substr(0, images.rfind(' ')));
      sim_->startButtonClick(Simulator::StartButtonIndex);
    }
  }
  std::uint64_t tickCount() override { return clock; }
  MessageAnswer messageBox(const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon icon) override {
    messages.push_back(title + ": " + text);
    messageIcons.push_back(icon);
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  std::string openFileDialog(const std::string&, const std::string&) override {
    ++dialogs;
    return dialogAnswer;
  }
  bool directChecked() override { return direct; }
  void runNotice(const std::string& message) override { notices.push_back(message); }
  // The revision of the picture the window was last told to show.
  void pictureChanged() override {
    if (sim_) shownPicture = sim_->picResult.revision();
  }
  void labelsChanged() override {
    if (!sim_ || sim_->status.nullPointVisible == !shownSince_.empty()) return;
    if (sim_->status.nullPointVisible) {
      shownSince_ = std::to_string(clock) + "-";
    } else {
      labels.push_back(shownSince_ + std::to_string(clock) + " " + sim_->status.lblNullPoint);
      shownSince_.clear();
    }
  }

 private:
  Simulator* sim_ = nullptr;
  std::string shownSince_;  // "from-" while the label is shown
};

// A simulator on a scripted host, with a folder for its program files.
struct ScriptedRun {
  ScriptedRun() { host.attach(sim); }
  // Writes the lines, each ended by CR LF, as a file of the folder; returns its path.
  std::string write(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return folder.write(name, text);
  }
  // Opens the lines as "program.nc" through the open dialog and runs them.
  void open(const std::vector<std::string>& lines) {
    host.dialogAnswer = write("program.nc", lines);
    sim.Open();
  }

  TempFolder folder;
  ScriptedHost host;
  Simulator sim{host};
};

}  // namespace draivo::test
