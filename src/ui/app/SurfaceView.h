#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>

namespace draivo {

class Surface;

// A picture box: shows a core surface inside a sunken border and reports clicks.
class SurfaceView : public QFrame {
  Q_OBJECT

 public:
  static constexpr int BorderWidth = 2;

  explicit SurfaceView(QWidget* parent = nullptr);

  void setSurface(const Surface* surface);
  const Surface* surface() const { return surface_; }
  // The picture as it is shown now (converted again only when the surface changed).
  const QImage& image() const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const Surface* surface_ = nullptr;
  mutable QImage image_;
  mutable const Surface* imageOf_ = nullptr;
  mutable std::uint64_t imageRevision_ = 0;
  bool pressed_ = false;
};

}  // namespace draivo
