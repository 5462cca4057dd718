#include "platform/ScreenSize.h"

#include <QGuiApplication>
#include <QScreen>

namespace draivo {

QSize primaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize();
}

}  // namespace draivo
