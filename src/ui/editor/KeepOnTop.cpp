#include "editor/KeepOnTop.h"

#include <QWidget>

namespace draivo {

void KeepOnTop(QWidget* window, bool state) {
  const bool showWithoutActivating = window->testAttribute(Qt::WA_ShowWithoutActivating);
  window->setAttribute(Qt::WA_ShowWithoutActivating, true);
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != state) {
    const QPoint place = window->pos();
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, state);  // hides a visible window
    if (wasVisible) window->move(place);
  }
  window->show();
  window->setAttribute(Qt::WA_ShowWithoutActivating, showWithoutActivating);
}

}  // namespace draivo
