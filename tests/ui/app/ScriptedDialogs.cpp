#include "ScriptedDialogs.h"

namespace draivo::test {

MessageAnswer ScriptedDialogs::messageBox(QWidget*, const std::string& text,
                                          const std::string& title, MessageButtons buttons,
                                          MessageIcon icon) {
  messages.push_back({text, title, buttons, icon});
  if (onMessage) onMessage(messages.back());
  if (!answers.empty()) {
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

std::string ScriptedDialogs::openFileName(QWidget*, const std::string& title,
                                          const std::string& filter, const std::string& startFile) {
  openDialogs.push_back({title, filter, startFile});
  if (openAnswers.empty()) return {};
  std::string answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

}  // namespace draivo::test
