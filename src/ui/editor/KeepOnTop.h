#pragma once

class QWidget;

namespace draivo {

// Keeps a window above all windows that are not always-on-top (state true) or returns it to
// the normal order (state false), without moving or activating it, and shows it.
void KeepOnTop(QWidget* window, bool state);

}  // namespace draivo
