#pragma once

#include <functional>

namespace draivo {

class Surface;

// What the drawing code asks of the run while it animates: show the picture after a pixel,
// and pause (processing window events) for a number of milliseconds.
// `progress` is told, before each of those refreshes, how far the move being drawn on a picture
// has come: the fraction (0 to 1) of its line or arc.
struct DrawHooks {
  std::function<void()> refresh;
  std::function<void(int milliseconds)> wait;
  std::function<void(const Surface& picture, double fraction)> progress;

  void doRefresh() const { if (refresh) refresh(); }
  void doWait(int milliseconds) const { if (wait) wait(milliseconds); }
  void doProgress(const Surface& picture, double fraction) const {
    if (progress) progress(picture, fraction);
  }
};

}  // namespace draivo
