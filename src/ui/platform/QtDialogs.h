#pragma once

#include "platform/Dialogs.h"

namespace draivo {

// The dialogs as the Qt widgets show them.
class QtDialogs : public Dialogs {
 public:
  MessageAnswer messageBox(QWidget* parent, const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon icon) override;
  std::string openFileName(QWidget* parent, const std::string& title, const std::string& filter,
                           const std::string& startFile) override;
};

}  // namespace draivo
