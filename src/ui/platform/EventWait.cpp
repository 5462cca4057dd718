#include "platform/EventWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace draivo {

EventWait::EventWait() {
  clock_.start();
}

void EventWait::processEvents() {
  const std::int64_t now = clock_.elapsed();
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
  lastProcessed_ = clock_.elapsed();
}

std::uint64_t EventWait::tickCount() const {
  return static_cast<std::uint64_t>(clock_.elapsed());
}

}  // namespace draivo
