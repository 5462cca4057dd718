#pragma once

#include <QSize>

namespace draivo {

// The size of the primary screen in pixels; empty when there is no screen.
QSize primaryScreenSize();

}  // namespace draivo
