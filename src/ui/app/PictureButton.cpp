#include "app/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace draivo {

PictureButton::PictureButton(int index, QWidget* parent) : QWidget(parent), index_(index) {
  setCursor(Qt::PointingHandCursor);
}

void PictureButton::setImage(const QImage& image) {
  image_ = image;
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  painter.drawImage(QPoint(0, 0), image_);
  if (!isEnabled()) painter.fillRect(rect(), QColor(240, 240, 240, 120));
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked(index_);
}

}  // namespace draivo
