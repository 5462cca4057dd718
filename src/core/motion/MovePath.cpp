#include "motion/MovePath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace draivo {
namespace {

constexpr double FullTurn = 2 * std::numbers::pi;

double angleOf(PathPoint point, PathPoint centre) {
  return std::atan2(point.r - centre.r, point.z - centre.z);
}

// The angle into [0, 2 pi).
double wrapped(double angle) {
  const double turn = std::fmod(angle, FullTurn);
  return turn < 0 ? turn + FullTurn : turn;
}

double towards(double from, double to, double distance) {
  return from <= to ? from + distance : from - distance;
}

}  // namespace

MovePath MovePath::line(PathPoint from, PathPoint to) {
  MovePath path;
  path.from_ = from;
  path.to_ = to;
  return path;
}

MovePath MovePath::arcByRadius(PathPoint from, PathPoint to, double radius, bool clockwise) {
  const double dz = to.z - from.z, dr = to.r - from.r;
  const double chord = std::hypot(dz, dr);
  if (!(chord > 0)) return line(from, to);
  const double r = std::max(std::fabs(radius), chord / 2);
  const double offset = std::sqrt(std::max(r * r - chord * chord / 4, 0.0));
  // A counter-clockwise short arc has its centre left of the chord, a clockwise one right.
  const bool shortArc = radius >= 0;
  const double side = (clockwise ? -1.0 : 1.0) * (shortArc ? 1.0 : -1.0);
  const PathPoint centre{(from.z + to.z) / 2 - side * offset * dr / chord,
                         (from.r + to.r) / 2 + side * offset * dz / chord};
  return arcByCentre(from, to, centre, clockwise);
}

MovePath MovePath::arcByCentre(PathPoint from, PathPoint to, PathPoint centre, bool clockwise) {
  const double radius = std::hypot(from.z - centre.z, from.r - centre.r);
  if (!(radius > 0)) return line(from, to);
  const double start = angleOf(from, centre);
  double sweep = wrapped(clockwise ? start - angleOf(to, centre) : angleOf(to, centre) - start);
  if (sweep == 0 && from.z == to.z && from.r == to.r) sweep = FullTurn;
  MovePath path;
  path.arc_ = true;
  path.from_ = from;
  path.to_ = to;
  path.centre_ = centre;
  path.radius_ = radius;
  path.startAngle_ = start;
  path.sweep_ = clockwise ? -sweep : sweep;
  path.length_ = radius * sweep;
  return path;
}

double MovePath::length() const {
  return arc_ ? length_ : std::hypot(to_.z - from_.z, to_.r - from_.r);
}

double MovePath::radiusAt(double t) const {
  if (!arc_) return from_.r + (to_.r - from_.r) * t;
  return centre_.r + radius_ * std::sin(startAngle_ + sweep_ * t);
}

PathPoint MovePath::pointAt(double t) const {
  if (!arc_) return {from_.z + (to_.z - from_.z) * t, from_.r + (to_.r - from_.r) * t};
  const double angle = startAngle_ + sweep_ * t;
  return {centre_.z + radius_ * std::cos(angle), centre_.r + radius_ * std::sin(angle)};
}

RapidTravel rapidTravel(PathPoint from, PathPoint to) {
  const double dz = std::fabs(to.z - from.z), dr = std::fabs(to.r - from.r);
  const double shorter = std::min(dz, dr), longer = std::max(dz, dr);
  return {shorter * std::numbers::sqrt2 + (longer - shorter), longer};
}

PathPoint rapidCorner(PathPoint from, PathPoint to) {
  const double leg = std::min(std::fabs(to.z - from.z), std::fabs(to.r - from.r));
  return {towards(from.z, to.z, leg), towards(from.r, to.r, leg)};
}

}  // namespace draivo
