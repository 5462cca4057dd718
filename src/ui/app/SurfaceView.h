#pragma once

#include <QFrame>
#include <QImage>
#include <QRect>
#include <cstdint>

namespace draivo {

class Surface;

// A picture box: shows a core surface inside a sunken border and reports clicks. It keeps a
// copy of the picture and takes over only the pixels changed since it was last shown.
class SurfaceView : public QFrame {
  Q_OBJECT

 public:
  static constexpr int BorderWidth = 2;

  explicit SurfaceView(QWidget* parent = nullptr);

  void setSurface(Surface* surface);
  // Paints now the part of the picture that changed since it was last shown.
  void repaintChanges();

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Brings the copy up to date with the surface.
  void takeChanges();

  Surface* surface_ = nullptr;
  QImage image_;
  QRect behind_;  // the part of the copy that is newer than the screen, in surface pixels
  const Surface* imageOf_ = nullptr;
  std::uint64_t imageRevision_ = 0;
  bool pressed_ = false;
};

}  // namespace draivo
