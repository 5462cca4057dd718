#include "platform/ScreenPlacement.h"

#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace draivo {

namespace {

// The start of a span of `length` moved into [low, high): as little as possible, and to
// `low` when it is longer than the range.
int fitSpan(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

QPoint fitIntoArea(const QRect& frame, const QRect& area) {
  return {fitSpan(frame.left(), frame.width(), area.left(), area.left() + area.width()),
          fitSpan(frame.top(), frame.height(), area.top(), area.top() + area.height())};
}

void placeAtOffset(QWidget& window, const QWidget& owner, QPoint offset) {
  const QWidget* ownerWindow = owner.window();
  const QRect ownerFrame = ownerWindow->frameGeometry();
  const QRect ownerInside = ownerWindow->geometry();
  const QMargins decoration(
      ownerInside.left() - ownerFrame.left(), ownerInside.top() - ownerFrame.top(),
      ownerFrame.right() - ownerInside.right(), ownerFrame.bottom() - ownerInside.bottom());
  // A dialog takes the size of its layout when it is shown; it is the same now.
  if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
  const QRect frame(ownerFrame.topLeft() + offset, window.size().grownBy(decoration));
  const QScreen* screen = ownerWindow->screen();
  window.move(screen ? fitIntoArea(frame, screen->availableGeometry()) : frame.topLeft());
}

}  // namespace draivo
