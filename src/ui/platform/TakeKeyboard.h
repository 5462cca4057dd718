#pragma once

class QWidget;

namespace draivo {

// Makes the widget's window the active window, above the others, with the keyboard focus on
// the widget. A window shown without activation (as the always-on-top windows are) does not
// get the keyboard by itself, and without a window manager no window gets it unless it asks.
void takeKeyboard(QWidget* widget);

}  // namespace draivo
