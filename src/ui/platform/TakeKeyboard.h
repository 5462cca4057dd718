#pragma once

#include <QPointer>

class QWidget;

namespace draivo {

// Makes the widget's window the active window, above the others, with the keyboard focus on
// the widget. A window shown without activation (as the always-on-top windows are) does not
// get the keyboard by itself, and without a window manager no window gets it unless it asks.
void takeKeyboard(QWidget* widget);

// Kept while a message box or a dialog is open: once it has closed, the keyboard goes back to
// the widget that had it before (or to the owner window of the box), since without a window
// manager no window would have it.
class KeyboardReturn {
 public:
  explicit KeyboardReturn(QWidget* owner);
  ~KeyboardReturn();
  KeyboardReturn(const KeyboardReturn&) = delete;
  KeyboardReturn& operator=(const KeyboardReturn&) = delete;

 private:
  QPointer<QWidget> focus_;
  QPointer<QWidget> owner_;
};

}  // namespace draivo
