#include "design/ShowMessage.h"

#include <QMessageBox>

#include "platform/TakeKeyboard.h"

namespace draivo {

ShowMessage messageBoxShowMessage() {
  return [](QWidget* parent, const QString& text, const QString& title) {
    const KeyboardReturn keyboard(parent);
    QMessageBox::warning(parent, title, text);
  };
}

}  // namespace draivo
