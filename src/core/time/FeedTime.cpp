#include "time/FeedTime.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace draivo {
namespace {

// Surface speed units per length unit: m/min against millimetres, ft/min against inches.
constexpr double MillimetresPerMetre = 1000;
constexpr double InchesPerFoot = 12;
// Integration steps along the path: 0.1 mm, or about as much in inches.
constexpr double StepMm = 0.1;
constexpr double StepInch = 0.004;
constexpr double MaxSteps = 100000;

FeedTime unknown(UnknownFeed reason) {
  return {0, static_cast<unsigned>(reason)};
}

int stepsFor(double length, LengthUnit unit) {
  const double step = unit == LengthUnit::Inch ? StepInch : StepMm;
  return static_cast<int>(std::clamp(std::ceil(length / step), 1.0, MaxSteps));
}

// Whether the path touches or crosses the axis, looked at in `steps` pieces.
bool reachesAxis(const MovePath& path, int steps) {
  double before = path.radiusAt(0);
  if (before == 0) return true;
  for (int i = 1; i <= steps; ++i) {
    const double r = path.radiusAt(static_cast<double>(i) / steps);
    if (r == 0 || (r > 0) != (before > 0)) return true;
    before = r;
  }
  return false;
}

// The minutes of a feed per revolution under constant surface speed: the path integral of
// 1 / (feed x spindle speed).
FeedTime constantSurfaceMinutes(const MovePath& path, double feed, const Spindle& spindle,
                                LengthUnit unit) {
  const double perDiameter = spindle.surfaceSpeed *
                             (unit == LengthUnit::Inch ? InchesPerFoot : MillimetresPerMetre) /
                             std::numbers::pi;
  const bool limited = spindle.limit > 0;
  const double limit = limited ? spindle.limit : std::numeric_limits<double>::infinity();
  const int steps = stepsFor(path.length(), unit);
  if (!limited && reachesAxis(path, steps)) return unknown(UnknownFeed::UnboundedSpeed);

  const double step = path.length() / steps;
  double minutes = 0;
  for (int i = 0; i < steps; ++i) {
    const double diameter = 2 * std::fabs(path.radiusAt((i + 0.5) / steps));
    const double speed = diameter > 0 ? std::min(perDiameter / diameter, limit) : limit;
    minutes += step / (feed * speed);
  }
  return {minutes, 0};
}

}  // namespace

FeedTime feedTime(const MovePath& path, FeedRate rate, const Spindle& spindle, LengthUnit unit) {
  const double length = path.length();
  if (length == 0) return {};
  if (!std::isfinite(length)) return unknown(UnknownFeed::OutOfRange);
  if (!(rate.feed > 0)) return unknown(UnknownFeed::NoFeed);

  FeedTime time;
  if (!rate.perRevolution) {
    time.minutes = length / rate.feed;
  } else if (!spindle.running) {
    return unknown(UnknownFeed::SpindleStopped);
  } else if (!spindle.constantSurface) {
    if (!(spindle.revolutions > 0)) return unknown(UnknownFeed::NoSpindleSpeed);
    time.minutes = length / (rate.feed * spindle.revolutions);
  } else {
    if (!(spindle.surfaceSpeed > 0)) return unknown(UnknownFeed::NoSpindleSpeed);
    time = constantSurfaceMinutes(path, rate.feed, spindle, unit);
  }
  if (time.unknown == 0 && !std::isfinite(time.minutes)) return unknown(UnknownFeed::OutOfRange);
  return time;
}

}  // namespace draivo
