#include "time/FeedTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace draivo {
namespace {

// Surface speed units per length unit: m/min against millimetres, ft/min against inches.
constexpr double MillimetresPerMetre = 1000;
constexpr double InchesPerFoot = 12;
// Integration steps along an arc: 0.1 mm, or about as much in inches.
constexpr double StepMm = 0.1;
constexpr double StepInch = 0.004;
constexpr double MaxSteps = 2000;  // longer moves take longer steps

FeedTime unknown(UnknownFeed reason) {
  return {0, static_cast<unsigned>(reason)};
}

int stepsFor(double length, LengthUnit unit) {
  const double step = unit == LengthUnit::Inch ? StepInch : StepMm;
  return static_cast<int>(std::clamp(std::ceil(length / step), 1.0, MaxSteps));
}

// Whether the path touches or crosses the axis, that is reaches a point on the axis or on the
// other side of it than its start: a line at its end, an arc at `steps` points along it.
bool reachesAxis(const MovePath& path, int steps) {
  if (!path.isArc()) steps = 1;
  const double start = path.radiusAt(0);
  if (start == 0) return true;
  for (int i = 1; i <= steps; ++i) {
    const double r = path.radiusAt(static_cast<double>(i) / steps);
    if (r == 0 || (r > 0) != (start > 0)) return true;
  }
  return false;
}

// Calls `piece` with the fractions (from, to) of the pieces the path is integrated over, each
// at its midpoint. Along a line the time per length is linear in the diameter between the
// points where the line crosses the axis or the speed reaches its limit (at the distance
// `limitRadius` from the axis), so cut there the midpoints are exact; an arc is cut in steps.
template <typename Piece>
void forEachPiece(const MovePath& path, double limitRadius, int arcSteps, Piece piece) {
  if (path.isArc()) {
    for (int i = 0; i < arcSteps; ++i) {
      piece(static_cast<double>(i) / arcSteps, static_cast<double>(i + 1) / arcSteps);
    }
    return;
  }
  std::array<double, 5> cuts{0, 1};  // in order
  std::size_t count = 2;
  const double from = path.radiusAt(0), to = path.radiusAt(1);
  for (const double r : {0.0, limitRadius, -limitRadius}) {
    const double t = (r - from) / (to - from);
    if (!(t > 0 && t < 1)) continue;
    std::size_t at = count++;
    for (; cuts[at - 1] > t; --at) cuts[at] = cuts[at - 1];
    cuts[at] = t;
  }
  for (std::size_t i = 0; i + 1 < count; ++i) piece(cuts[i], cuts[i + 1]);
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

  double minutes = 0;
  forEachPiece(path, perDiameter / limit / 2, steps, [&](double from, double to) {
    const double diameter = 2 * std::fabs(path.radiusAt((from + to) / 2));
    const double speed = diameter > 0 ? std::min(perDiameter / diameter, limit) : limit;
    minutes += (to - from) * path.length() / (feed * speed);
  });
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
