#include "support/ScriptedHost.h"

#include <algorithm>

#include "run/Simulator.h"

namespace draivo::test {

void ScriptedHost::processEvents() {
  ++processCalls;
}

void ScriptedHost::waitForEvents(int maxMilliseconds) {
  ++waitCalls;
  waitRequests.push_back(maxMilliseconds);
  clock += static_cast<std::uint64_t>(std::max(maxMilliseconds, 1));
  if (onWait) onWait(*this);
  if (!sim_) return;
  if (waitCalls >= waitLimit && !gaveUp) {
    gaveUp = true;
    sim_->requestQuit();
    return;
  }
  if (clickStartWhenWaiting && sim_->run.RunBusy && !sim_->StartPressed) {
    startClicksAt.push_back(sim_->lstCommands.ListIndex());
    sim_->startButtonClick(2);
  }
}

MessageAnswer ScriptedHost::messageBox(const std::string& text, const std::string& title,
                                       MessageButtons buttons, MessageIcon icon) {
  messages.push_back(title + ": " + text);
  messageIcons.push_back(icon);
  if (!messageAnswers.empty()) {
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

std::string ScriptedHost::openFileDialog(const std::string& title, const std::string&) {
  dialogs.push_back(title);
  return dialogAnswer;
}

void ScriptedHost::labelsChanged() {
  if (!sim_) return;
  const bool visible = sim_->status.nullPointVisible;
  if (visible != nullPointVisible_) {
    nullPointChanges.emplace_back(clock, visible);
    nullPointVisible_ = visible;
  }
}

}  // namespace draivo::test
