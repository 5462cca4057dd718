#pragma once

#include <string>

#include "run/Host.h"

class QWidget;

namespace draivo {

// Every message box and common dialog of the windows goes through this layer, so that the
// tests can answer them without a person at the screen.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual MessageAnswer messageBox(QWidget* parent, const std::string& text,
                                   const std::string& title, MessageButtons buttons,
                                   MessageIcon icon) = 0;
  // The open dialog, starting at startFile; "" when it was cancelled. The filter is written
  // as description|pattern pairs separated by "|".
  virtual std::string openFileName(QWidget* parent, const std::string& title,
                                   const std::string& filter, const std::string& startFile) = 0;
};

}  // namespace draivo
