#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace draivo {

// How the design mode shows a message box: the windows call it, tests replace it to read
// the message without a person at the screen.
using ShowMessage = std::function<void(QWidget* parent, const QString& text, const QString& title)>;

// A modal warning box with an OK button.
ShowMessage messageBoxShowMessage();

}  // namespace draivo
