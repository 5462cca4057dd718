#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace draivo {

// The top-left corner of the frame moved as little as possible so that the whole frame lies
// in the area. A frame larger than the area keeps its top or left edge in it, so that its
// title bar stays within reach.
QPoint fitIntoArea(const QRect& frame, const QRect& area);

// Places a window (a dialog) at an offset from the top-left corner of its owner's frame,
// moved in as far as needed for the whole of it to lie on the screen the owner is on. The
// window's frame is taken to be as wide as the owner's.
void placeAtOffset(QWidget& window, const QWidget& owner, QPoint offset);

}  // namespace draivo
