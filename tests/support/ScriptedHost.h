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

// The list's selection, top entry and count: "3 3 4".
inline std::string ListPosition(const ProgramList& list) {
  return std::to_string(list.ListIndex()) + " " + std::to_string(list.TopIndex()) + " " +
         std::to_string(list.ListCount());
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

  // Each time the window handles events (it repaints then) and, told only of the changes the
  // run reported, would show other state than the core holds: "clock what: shown | held".
  std::vector<std::string> stale;

  void attach(Simulator& simulator) {
    sim_ = &simulator;
    takeEntries();
    for (const Shown part : AllShown) shown_[part] = held(part);
  }
  // The window's event loop after a run returned: it repaints what it was told of.
  void runReturned() { checkShown(); }
  // Called when the run hands the window its events without waiting.
  std::function<void(ScriptedHost&)> onEvents;
  void processEvents() override {
    checkShown();
    if (onEvents) onEvents(*this);
  }
  void waitForEvents(int maxMilliseconds) override {
    ++waitCalls;
    checkShown();
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
  void programListChanged() override { show(Shown::List); }
  void indicatorsChanged() override { show(Shown::Indicators); }
  void captionChanged() override { show(Shown::Caption); }
  void menusChanged() override { show(Shown::Menus); }
  void labelsChanged() override {
    show(Shown::Labels);
    if (!sim_ || sim_->status.nullPointVisible == !shownSince_.empty()) return;
    if (sim_->status.nullPointVisible) {
      shownSince_ = std::to_string(clock) + "-";
    } else {
      labels.push_back(shownSince_ + std::to_string(clock) + " " + sim_->status.lblNullPoint);
      shownSince_.clear();
    }
  }

 private:
  // The picture is not among them: the window compares its revision at every wait itself.
  enum Shown { List, Labels, Indicators, Caption, Menus, ShownCount };
  static constexpr Shown AllShown[] = {List, Labels, Indicators, Caption, Menus};
  static constexpr const char* ShownNames[] = {"list", "labels", "images", "caption", "menus"};
  static constexpr std::size_t MaxStale = 10;

  std::string held(Shown part) const {
    const Simulator& s = *sim_;
    const auto flag = [](bool on) { return on ? '1' : '0'; };
    switch (part) {
      case List: return ListPosition(s.lstCommands) + entriesName(s.lstCommands.texts());
      case Labels: {  // the status panel, the label over it and the scroll bars' values
        std::string text = std::string(1, flag(s.status.nullPointVisible)) + " " +
                           s.status.lblNullPoint + " zoom " + std::to_string(s.view.zoomValue) +
                           " speed " + std::to_string(s.view.speedValue);
        for (const std::string& line : StatusLines(StatusRows(s.status))) text += ", " + line;
        return text;
      }
      case Indicators: return ImageNames(s.indicators);
      case Caption: return s.caption;
      case Menus:
      default:
        return {flag(s.menus.startenEnabled), flag(s.menus.vernieuwEnabled),
                flag(s.menus.figuurOpslaanEnabled), flag(s.menus.optioneelChecked),
                flag(s.menus.stapChecked), flag(s.menus.startButtonEnabled)};
    }
  }
  // The list's rows, which the window takes again only when the list's entries changed.
  static std::string entriesName(const std::shared_ptr<const BlockTexts>& entries) {
    return entries ? " entries " + std::to_string(reinterpret_cast<std::uintptr_t>(entries.get()))
                   : " no entries";
  }
  void takeEntries() {
    shownEntries_ = sim_->lstCommands.texts();
    shownContent_ = sim_->lstCommands.contentRevision();
  }
  void show(Shown part) {
    if (!sim_) return;
    if (part != List) {
      shown_[part] = held(part);
      return;
    }
    if (sim_->lstCommands.contentRevision() != shownContent_) takeEntries();
    shown_[List] = ListPosition(sim_->lstCommands) + entriesName(shownEntries_);
  }
  void checkShown() {
    if (!sim_) return;
    for (const Shown part : AllShown) {
      const std::string now = held(part);
      if (now == shown_[part] || stale.size() >= MaxStale) continue;
      stale.push_back(std::to_string(clock) + " " + ShownNames[part] + ": " + shown_[part] +
                      " | " + now);
      shown_[part] = now;  // reported once
      if (part == List) takeEntries();
    }
  }

  Simulator* sim_ = nullptr;
  std::string shown_[ShownCount];
  std::shared_ptr<const BlockTexts> shownEntries_;
  std::uint64_t shownContent_ = 0;
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
