#include "app/SurfaceView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include "platform/SurfaceImage.h"
#include "render/Surface.h"

namespace draivo {

SurfaceView::SurfaceView(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(BorderWidth);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setSurface(Surface* surface) {
  surface_ = surface;
  update();
}

void SurfaceView::takeChanges() {
  if (!surface_) {
    image_ = QImage();
    imageOf_ = nullptr;
    behind_ = {};
    return;
  }
  if (imageOf_ != surface_ || image_.size() != QSize(surface_->width(), surface_->height())) {
    surface_->takeChanged();
    image_ = toQImage(*surface_);
    imageOf_ = surface_;
    imageRevision_ = surface_->revision();
    behind_ = image_.rect();
    return;
  }
  if (imageRevision_ == surface_->revision()) return;
  imageRevision_ = surface_->revision();
  const PixelBox box = surface_->takeChanged();
  if (box.empty()) return;
  copyToQImage(*surface_, box, image_);
  behind_ |= QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom));
}

void SurfaceView::repaintChanges() {
  takeChanges();
  if (!behind_.isEmpty()) repaint(behind_.translated(contentsRect().topLeft()));
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  takeChanges();
  const QRect inner = contentsRect();
  // Changes taken now outside the painted part stay behind for the next paint.
  const QRect behind = behind_.translated(inner.topLeft());
  if ((QRegion(behind) - event->region()).isEmpty()) {
    behind_ = {};
  } else {
    update(behind);
  }
  {
    QPainter painter(this);
    painter.fillRect(inner, palette().button());
    if (!image_.isNull()) painter.drawImage(inner.topLeft(), image_);
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
