#include "app/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/SurfaceImage.h"
#include "render/Surface.h"

namespace draivo {

SurfaceView::SurfaceView(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(BorderWidth);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setSurface(const Surface* surface) {
  surface_ = surface;
  update();
}

const QImage& SurfaceView::image() const {
  if (!surface_) {
    image_ = QImage();
    imageOf_ = nullptr;
    return image_;
  }
  if (imageOf_ != surface_ || imageRevision_ != surface_->revision() || image_.isNull()) {
    image_ = toQImage(*surface_);
    imageOf_ = surface_;
    imageRevision_ = surface_->revision();
  }
  return image_;
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(inner, palette().button());
    if (surface_) painter.drawImage(inner.topLeft(), image());
  }
  QFrame::paintEvent(event);
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

}  // namespace draivo
