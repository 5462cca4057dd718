#pragma once

#include <functional>

namespace draivo {

// What the drawing code asks of the run while it animates: show the picture after a pixel,
// and pause (processing window events) for a number of milliseconds.
struct DrawHooks {
  std::function<void()> refresh;
  std::function<void(int milliseconds)> wait;

  void doRefresh() const { if (refresh) refresh(); }
  void doWait(int milliseconds) const { if (wait) wait(milliseconds); }
};

}  // namespace draivo
