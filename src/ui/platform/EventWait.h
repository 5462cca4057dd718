#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <limits>

namespace draivo {

// The waits of a run on the user-interface thread: they sleep on the event queue instead of
// spinning, and keep the event handling between blocks cheap.
class EventWait {
 public:
  static constexpr int ProcessEventsIntervalMs = 5;

  EventWait();

  // Handles pending events, at most once every few milliseconds.
  void processEvents();
  // Sleeps until an event arrives or the milliseconds have passed, then handles the events.
  void waitForEvents(int maxMilliseconds);
  std::uint64_t tickCount() const;

 private:
  QElapsedTimer clock_;
  // On the coarse clock of processEvents; the first call handles the events.
  std::int64_t lastProcessed_ = std::numeric_limits<std::int64_t>::min() / 2;
};

}  // namespace draivo
