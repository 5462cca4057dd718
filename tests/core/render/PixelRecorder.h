#pragma once

#include <set>
#include <utility>
#include <vector>

#include "render/DrawHooks.h"
#include "render/Surface.h"

namespace draivo::test {

using Pixel = std::pair<int, int>;  // (column, row)

// Watches a surface through the drawing hooks: at every refresh it notes which pixels changed
// since the last one, so the order in which the animated drawing sets pixels can be checked.
class PixelRecorder {
 public:
  explicit PixelRecorder(Surface& surface) : surface_(surface), last_(surface.pixels()) {}

  DrawHooks hooks() {
    DrawHooks h;
    h.refresh = [this] {
      ++refreshes;
      const auto& now = surface_.pixels();
      for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != last_[i]) {
          const int width = surface_.width();
          pixels.emplace_back(static_cast<int>(i) % width, static_cast<int>(i) / width);
        }
      }
      last_ = now;
    };
    h.wait = [this](int milliseconds) { waits.push_back(milliseconds); };
    return h;
  }

  // Forgets what was noted so far and takes the present picture as the new starting point.
  void restart() {
    pixels.clear();
    refreshes = 0;
    waits.clear();
    last_ = surface_.pixels();
  }

  std::vector<Pixel> pixels;
  int refreshes = 0;
  std::vector<int> waits;

 private:
  Surface& surface_;
  std::vector<Colour> last_;
};

// Every pixel of the surface that differs from its background colour.
inline std::set<Pixel> drawnPixels(const Surface& surface) {
  std::set<Pixel> drawn;
  for (int row = 0; row < surface.height(); ++row) {
    for (int column = 0; column < surface.width(); ++column) {
      if (surface.getPixel(column, row) != surface.backColour()) drawn.emplace(column, row);
    }
  }
  return drawn;
}

}  // namespace draivo::test
