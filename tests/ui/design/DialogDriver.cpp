#include "DialogDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace draivo::test {

bool showActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QStringList tabOrderAfter(QWidget* first, int count) {
  QStringList names;
  for (QWidget* w = first->nextInFocusChain(); w != first && names.size() < count;
       w = w->nextInFocusChain()) {
    if (w->focusPolicy() != Qt::NoFocus) names << w->objectName();
  }
  return names;
}

void click(QWidget* widget) {
  // Near the left edge: a check or option box reacts only on its box and caption.
  const QPoint at(qMin(8, widget->width() / 2), widget->height() / 2);
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  settle();
}

void typeInto(QLineEdit* field, const QString& text) {
  click(field);
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
  settle();
}

}  // namespace draivo::test
