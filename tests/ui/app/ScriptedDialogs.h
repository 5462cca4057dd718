#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace draivo::test {

// Dialogs answered by the test script, with a record of everything shown.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string title;
    MessageButtons buttons;
    MessageIcon icon;
  };
  struct OpenDialog {
    std::string title;
    std::string filter;
    std::string startFile;
  };

  // Answers in turn; when used up, No for a Yes/No box and Ok otherwise.
  std::deque<MessageAnswer> answers;
  // The open dialog's answers in turn; "" (cancelled) when used up.
  std::deque<std::string> openAnswers;
  std::function<void(const Shown&)> onMessage;

  std::vector<Shown> messages;
  std::vector<OpenDialog> openDialogs;

  MessageAnswer messageBox(QWidget* parent, const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon icon) override;
  std::string openFileName(QWidget* parent, const std::string& title, const std::string& filter,
                           const std::string& startFile) override;
};

}  // namespace draivo::test
