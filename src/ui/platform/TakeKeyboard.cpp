#include "platform/TakeKeyboard.h"

#include <QWidget>

namespace draivo {

void takeKeyboard(QWidget* widget) {
  QWidget* window = widget->window();
  window->raise();
  window->activateWindow();
  widget->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace draivo
