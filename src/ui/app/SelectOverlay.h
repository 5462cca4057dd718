#pragma once

#include <QWidget>

namespace draivo {

class Magnifier;

// imgSelect: a transparent layer over the view that feeds the mouse to the magnifier and
// draws the selection outline (SelectShape) while a rectangle is dragged.
class SelectOverlay : public QWidget {
  Q_OBJECT

 public:
  SelectOverlay(Magnifier& magnifier, QWidget* parent = nullptr);

 signals:
  // The mouse was released; the magnifier says whether a region was magnified.
  void released();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPoint pointer(const QMouseEvent* event) const;

  Magnifier& magnifier_;
};

}  // namespace draivo
