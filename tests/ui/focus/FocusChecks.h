#pragma once

#include <QTest>
#include <QtWidgets>
#include <string>

namespace draivo::test {

// How long a window may take to get the keyboard from the X server.
inline constexpr int SettleMs = 3000;

// The widget, or a widget inside it, has the focus, and its window is the active one.
inline bool hasKeyboard(const QWidget* widget) {
  const QWidget* focus = QApplication::focusWidget();
  return widget && focus && (focus == widget || widget->isAncestorOf(focus)) &&
         QApplication::activeWindow() == widget->window();
}

// Whether the widget gets the keyboard within SettleMs.
inline bool getsKeyboard(const QWidget* widget) {
  return QTest::qWaitFor([widget] { return hasKeyboard(widget); }, SettleMs);
}

// "window/widget" of the focus, for failure messages.
inline std::string nameOfFocus() {
  const QWidget* focus = QApplication::focusWidget();
  return focus
             ? focus->window()->objectName().toStdString() + "/" + focus->objectName().toStdString()
             : "nothing";
}

}  // namespace draivo::test
