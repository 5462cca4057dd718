#include "support/ScriptedHost.h"

#include <algorithm>

namespace draivo::test {

void ScriptedHost::waitForEvents(int maxMilliseconds) {
  ++waitCalls;
  clock += static_cast<std::uint64_t>(std::max(maxMilliseconds, 1));
  if (onWait) onWait(*this);
  if (!sim_) return;
  if (waitCalls >= WaitLimit) {
    sim_->requestQuit();
  } else if (sim_->run.RunBusy && !sim_->StartPressed) {
    const std::string images = ImageNames(sim_->indicators);  // without the coolant
    gateClicks.push_back(std::to_string(sim_->lstCommands.ListIndex()) + " " +
                         images.substr(0, images.rfind(' ')));
    sim_->startButtonClick(Simulator::StartButtonIndex);
  }
}

void ScriptedHost::labelsChanged() {
  if (!sim_ || sim_->status.nullPointVisible == !shownSince_.empty()) return;
  if (sim_->status.nullPointVisible) {
    shownSince_ = std::to_string(clock) + "-";
  } else {
    labels.push_back(shownSince_ + std::to_string(clock) + " " + sim_->status.lblNullPoint);
    shownSince_.clear();
  }
}

std::string ImageNames(const Indicators& indicators) {
  static const char* const start[] = {"idle", "step", "running"};
  static const char* const spindle[] = {"running-m03", "running-m04", "stopped-m04", "stopped-m03"};
  static const char* const coolant[] = {"on", "off"};
  return std::string(start[static_cast<int>(indicators.start)]) + " " +
         spindle[static_cast<int>(indicators.spindle)] + " " +
         coolant[static_cast<int>(indicators.coolant)];
}

std::string ScriptedRun::write(const std::string& name, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return folder.write(name, text);
}

void ScriptedRun::open(const std::vector<std::string>& lines) {
  host.dialogAnswer = write("program.nc", lines);
  sim.Open();
}

}  // namespace draivo::test
