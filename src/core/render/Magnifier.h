#pragma once

namespace draivo {

class Surface;

// The dragged rectangle in picture pixels.
struct SelectionRect {
  double left{};
  double top{};
  double width{};
  double height{};
};

// The largest whole factor at which a width x height region fits into the inner size of the
// view; at least 1, so a region wider than the view is still shown, unmagnified.
int MagnifyFactor(double innerWidth, double innerHeight, double width, double height);

// Region selection over the view and the magnifier picture. The overlay feeds it the pointer
// in picture pixels; the window shows the outline and the magnifier as this state says.
class Magnifier {
 public:
  struct Point {
    int x{};
    int y{};
  };

  void mouseDown(int x, int y);
  void mouseMove(int x, int y, bool buttonHeld);
  // Ends a drag: draws the region magnified into picZoom and returns true when it did.
  bool mouseUp(const Surface& picResult, Surface& picZoom);
  // A click on the magnifier hides it again.
  void zoomClick() { zoomVisible_ = false; }

  bool Selecting() const { return selecting_; }
  bool outlineVisible() const { return outlineVisible_; }  // the SelectShape outline
  bool zoomVisible() const { return zoomVisible_; }
  const SelectionRect& selectionRect() const { return rect_; }
  Point selectionStart() const { return start_; }
  Point selectionEnd() const { return end_; }
  int lastFactor() const { return lastFactor_; }

 private:
  bool selecting_{};
  bool outlineVisible_{};
  bool zoomVisible_{};
  Point start_;
  Point end_;
  SelectionRect rect_;
  int lastFactor_{};
};

}  // namespace draivo
