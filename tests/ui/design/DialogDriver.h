#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QWidget>
#include <ostream>

class QLineEdit;

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace draivo::test {

// Shows a window and waits until it is active, so that focus changes reach its controls.
bool showActive(QWidget& window);

// A control of the window found by its name; fails the test when it is missing.
template <typename Widget>
Widget* control(const QWidget& window, const char* name) {
  Widget* found = window.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << "no control " << name;
  return found;
}

// The names of the focusable controls after `first` in the tab order, up to `count` of them.
QStringList tabOrderAfter(QWidget* first, int count);

// Clicks the field (giving it the focus) and types the text over its whole content.
void typeInto(QLineEdit* field, const QString& text);

// A left click as the window system delivers it, then the events it causes.
void click(QWidget* widget);

// Lets deferred focus changes happen.
void settle();

}  // namespace draivo::test
