#include "platform/TakeKeyboard.h"

#include <QApplication>
#include <QWidget>

namespace draivo {

void takeKeyboard(QWidget* widget) {
  QWidget* window = widget->window();
  window->raise();
  window->activateWindow();
  widget->setFocus(Qt::ActiveWindowFocusReason);
}

KeyboardReturn::KeyboardReturn(QWidget* owner)
    : focus_(QApplication::focusWidget()), owner_(owner) {}

KeyboardReturn::~KeyboardReturn() {
  QWidget* back = focus_ && focus_->isVisible() ? focus_.data() : nullptr;
  if (!back && owner_ && owner_->window()->isVisible()) {
    QWidget* ownerWindow = owner_->window();
    back = ownerWindow->focusWidget() ? ownerWindow->focusWidget() : ownerWindow;
  }
  if (back) takeKeyboard(back);
}

}  // namespace draivo
