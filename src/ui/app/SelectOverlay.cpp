#include "app/SelectOverlay.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "render/Magnifier.h"

namespace draivo {

SelectOverlay::SelectOverlay(Magnifier& magnifier, QWidget* parent)
    : QWidget(parent), magnifier_(magnifier) {
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

QPoint SelectOverlay::pointer(const QMouseEvent* event) const {
  // The selection stays on the picture even when the mouse leaves it during a drag.
  const QPoint p = event->position().toPoint();
  return {std::clamp(p.x(), 0, width() - 1), std::clamp(p.y(), 0, height() - 1)};
}

void SelectOverlay::mousePressEvent(QMouseEvent* event) {
  const QPoint p = pointer(event);
  magnifier_.mouseDown(p.x(), p.y());
}

void SelectOverlay::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = pointer(event);
  const bool wasVisible = magnifier_.outlineVisible();
  magnifier_.mouseMove(p.x(), p.y(), event->buttons() != Qt::NoButton);
  if (wasVisible || magnifier_.outlineVisible()) update();
}

void SelectOverlay::mouseReleaseEvent(QMouseEvent*) {
  emit released();
  update();
}

void SelectOverlay::paintEvent(QPaintEvent*) {
  if (!magnifier_.outlineVisible()) return;
  const SelectionRect& r = magnifier_.selectionRect();
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(r.left, r.top, r.width, r.height));
}

}  // namespace draivo
