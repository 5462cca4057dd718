#include "platform/EventWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <ctime>

namespace draivo {

namespace {

// The run asks to handle events several times per block. A coarse clock answers that often
// for a fraction of the cost of the precise one; its resolution of a few milliseconds is
// enough to space the event handling by a few milliseconds.
std::int64_t coarseMilliseconds() {
#ifdef CLOCK_MONOTONIC_COARSE
  timespec now{};
  if (clock_gettime(CLOCK_MONOTONIC_COARSE, &now) == 0) {
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  }
#endif
  static const QElapsedTimer since = [] {
    QElapsedTimer clock;
    clock.start();
    return clock;
  }();
  return since.elapsed();
}

}  // namespace

EventWait::EventWait() {
  clock_.start();
}

void EventWait::processEvents() {
  const std::int64_t now = coarseMilliseconds();
  if (now - lastProcessed_ < ProcessEventsIntervalMs) return;
  lastProcessed_ = now;
  QCoreApplication::processEvents();
}

void EventWait::waitForEvents(int maxMilliseconds) {
  if (maxMilliseconds <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  // The timer is the event that ends the sleep when nothing else arrives.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(maxMilliseconds);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  lastProcessed_ = coarseMilliseconds();
}

std::uint64_t EventWait::tickCount() const {
  return static_cast<std::uint64_t>(clock_.elapsed());
}

}  // namespace draivo
