#pragma once

#include <QImage>
#include <QWidget>

namespace draivo {

// One of the picture buttons picViewCommand: shows an image and reports clicks.
class PictureButton : public QWidget {
  Q_OBJECT

 public:
  PictureButton(int index, QWidget* parent = nullptr);

  int index() const { return index_; }
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }

 signals:
  void clicked(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int index_;
  QImage image_;
  bool pressed_ = false;
};

}  // namespace draivo
