#include "render/Magnifier.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/Surface.h"

namespace draivo {

namespace {

int wholePixel(double value) {
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

int MagnifyFactor(double innerWidth, double innerHeight, double width, double height) {
  if (width <= 0 || height <= 0) return 1;
  const double ratioW = innerWidth / width;
  const double ratioH = innerHeight / height;
  const double ratio = ratioW >= ratioH ? ratioH : ratioW;
  return std::max(1, static_cast<int>(std::floor(ratio)));
}

void Magnifier::mouseDown(int x, int y) {
  if (selecting_) return;
  selecting_ = true;
  start_ = {x, y};
  // The pointer has not moved yet: a release here is a click, not a drag.
  end_ = start_;
}

void Magnifier::mouseMove(int x, int y, bool buttonHeld) {
  end_ = {x, y};
  if (!buttonHeld || !selecting_) {
    selecting_ = false;
    return;
  }
  rect_.top = std::min(start_.y, end_.y);
  rect_.left = std::min(start_.x, end_.x);
  rect_.height = std::abs(end_.y - start_.y);
  rect_.width = std::abs(end_.x - start_.x);
  outlineVisible_ = true;
}

bool Magnifier::mouseUp(const Surface& picResult, Surface& picZoom) {
  outlineVisible_ = false;
  const bool drag = selecting_ && start_.x != end_.x && start_.y != end_.y;
  selecting_ = false;
  if (!drag) return false;

  const int factor =
      MagnifyFactor(picResult.width(), picResult.height(), rect_.width, rect_.height);
  picZoom.clear();
  picZoom.stretchBlt(0, 0, wholePixel(rect_.width * factor), wholePixel(rect_.height * factor),
                     picResult, wholePixel(rect_.left), wholePixel(rect_.top),
                     wholePixel(rect_.width), wholePixel(rect_.height));
  lastFactor_ = factor;
  zoomVisible_ = true;
  return true;
}

}  // namespace draivo
