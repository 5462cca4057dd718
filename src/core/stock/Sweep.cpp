#include "stock/Sweep.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace draivo {
namespace {

constexpr double QuarterTurn = std::numbers::pi / 2;
constexpr double Infinity = std::numeric_limits<double>::infinity();
// A segment whose run along Z is below this share of its length is taken as square to the
// axis: its end discs alone give its cut, within that share of the nose radius.
constexpr double SquareShare = 1e-9;
constexpr double RoundingShare = 1e-12;

PathPoint plus(PathPoint a, PathPoint b) {
  return {a.z + b.z, a.r + b.r};
}

PathPoint scaled(PathPoint a, double factor) {
  return {a.z * factor, a.r * factor};
}

// The direction of a quadrant boundary: 0 along +Z, 1 along +r, 2 along -Z, 3 along -r.
PathPoint axisDirection(long long quadrant) {
  switch (((quadrant % 4) + 4) % 4) {
    case 0: return {1, 0};
    case 1: return {0, 1};
    case 2: return {-1, 0};
    default: return {0, -1};
  }
}

PathPoint direction(double angle) {
  return {std::cos(angle), std::sin(angle)};
}

// Narrows [low, high] to the y with a * y + b >= 0.
void keepWhere(double a, double b, double& low, double& high) {
  if (a > 0) {
    low = std::max(low, -b / a);
  } else if (a < 0) {
    high = std::min(high, -b / a);
  } else if (b < 0) {
    low = Infinity;
  }
}

}  // namespace

SweepPiece SweepPiece::segment(PathPoint from, PathPoint to, double nose) {
  SweepPiece piece;
  piece.nose_ = nose;
  piece.from_ = from;
  piece.to_ = to;
  piece.box_ = {std::min(from.z, to.z) - nose, Infinity, std::min(from.r, to.r) - nose,
                std::max(from.r, to.r) + nose};
  const double dz = to.z - from.z, dr = to.r - from.r;
  const double length = std::hypot(dz, dr);
  piece.sloped_ = std::fabs(dz) > SquareShare * length;
  if (piece.sloped_) {
    // The normal that points towards the axis.
    const PathPoint low = dz >= 0 ? PathPoint{dr / length, -dz / length}
                                  : PathPoint{-dr / length, dz / length};
    piece.lowFrom_ = plus(from, scaled(low, nose));
    piece.lowTo_ = plus(to, scaled(low, nose));
    piece.lowSlope_ = (piece.lowTo_.r - piece.lowFrom_.r) / (piece.lowTo_.z - piece.lowFrom_.z);
  }
  return piece;
}

SweepPiece SweepPiece::arc(PathPoint centre, double radius, PathPoint first, PathPoint last,
                           double nose, long long quadrant) {
  SweepPiece piece;
  piece.arc_ = true;
  piece.quadrant_ = quadrant;
  piece.nose_ = nose;
  piece.centre_ = centre;
  piece.radius_ = radius;
  piece.first_ = first;
  piece.last_ = last;
  piece.from_ = plus(centre, scaled(first, radius));
  piece.to_ = plus(centre, scaled(last, radius));
  // Within a quadrant the path runs one way along each axis: its ends bound it.
  piece.box_ = {std::min(piece.from_.z, piece.to_.z) - nose, Infinity,
                std::min(piece.from_.r, piece.to_.r) - nose,
                std::max(piece.from_.r, piece.to_.r) + nose};
  return piece;
}

double SweepPiece::lowest(double z) const {
  if (!(z >= box_.left)) return Infinity;
  return std::min(arc_ ? arcLowest(z) : segmentLowest(z), bodyLowest(z));
}

// The centre's path runs one way along r while z grows (a segment, or an arc within one
// quadrant), so the lowest centre left of z is an end of the part of the path left of z.
double SweepPiece::bodyLowest(double z) const {
  const PathPoint& leftEnd = from_.z <= to_.z ? from_ : to_;
  const PathPoint& rightEnd = from_.z <= to_.z ? to_ : from_;
  if (z < leftEnd.z) return Infinity;
  if (z >= rightEnd.z) return std::min(from_.r, to_.r) - nose_;
  return std::min(leftEnd.r, centreAt(z)) - nose_;
}

// The r of the centre's path at z, for z within the path's run along Z.
double SweepPiece::centreAt(double z) const {
  if (!arc_) return from_.r + (z - from_.z) * (to_.r - from_.r) / (to_.z - from_.z);
  const double side = first_.r + last_.r >= 0 ? 1 : -1;  // the side of the centre the path is on
  const double dz = z - centre_.z;
  return centre_.r + side * std::sqrt(std::max(radius_ * radius_ - dz * dz, 0.0));
}

double SweepPiece::discLowest(PathPoint centre, double z) const {
  const double dz = z - centre.z;
  if (std::fabs(dz) > nose_) return Infinity;
  return centre.r - std::sqrt(std::max(nose_ * nose_ - dz * dz, 0.0));
}

// The capsule's lower boundary is its lower edge between the points where the edge touches
// the end discs, and the discs' arcs outside them.
double SweepPiece::segmentLowest(double z) const {
  if (sloped_ && z >= std::min(lowFrom_.z, lowTo_.z) && z <= std::max(lowFrom_.z, lowTo_.z)) {
    return lowEdgeAt(z);
  }
  return std::min(discLowest(from_, z), discLowest(to_, z));
}

// The lowest point of the ring of the arc's circle widened by the nose, within the arc's
// angles, and of the discs at its ends.
double SweepPiece::arcLowest(double z) const {
  double lowestPoint = std::min(discLowest(from_, z), discLowest(to_, z));
  const double dz = z - centre_.z;
  const double outer = radius_ + nose_, inner = radius_ - nose_;
  if (std::fabs(dz) > outer) return lowestPoint;
  // The points (dz, y) from the centre lie counter-clockwise of `first` and clockwise of
  // `last`.
  double low = -Infinity, high = Infinity;
  keepWhere(first_.z, -first_.r * dz, low, high);
  keepWhere(-last_.z, last_.r * dz, low, high);
  if (!(low <= high)) return lowestPoint;
  const double outerHalf = std::sqrt(std::max(outer * outer - dz * dz, 0.0));
  // The ring on the line is one range, or two around the hole of the inner circle.
  double ringLow = -outerHalf;
  if (inner > 0 && std::fabs(dz) < inner && low > -outerHalf) {
    const double innerHalf = std::sqrt(std::max(inner * inner - dz * dz, 0.0));
    if (low > -innerHalf) ringLow = innerHalf;
  }
  const double from = std::max(ringLow, low);
  if (from <= std::min(outerHalf, high)) lowestPoint = std::min(lowestPoint, centre_.r + from);
  return lowestPoint;
}

// The body reaches lowest at the window's right end: it takes in more of the path as z grows.
double SweepPiece::lowestOver(double left, double right) const {
  return std::min(noseLowestOver(left, right), bodyLowest(right));
}

double SweepPiece::noseLowestOver(double left, double right) const {
  if (arc_) return arcLowestOver(left, right);
  if (!sloped_) return box_.low;
  // The capsule lies above the line of its lower edge.
  return std::max(box_.low, std::min(lowEdgeAt(left), lowEdgeAt(right)));
}

// Within a quadrant the centre's path runs one way in r as z grows, so over the window its
// lowest point lies at the window's ends, widened by the nose and kept within the path. The
// bound is lowered by a rounding margin: it is found another way than the cut itself.
double SweepPiece::arcLowestOver(double left, double right) const {
  const double low = std::min(from_.z, to_.z), high = std::max(from_.z, to_.z);
  const double dr = first_.r + last_.r >= 0 ? 1 : -1;  // the side of the centre the path is on
  const auto pathAt = [&](double z) {
    const double dz = std::clamp(z, low, high) - centre_.z;
    return centre_.r + dr * std::sqrt(std::max(radius_ * radius_ - dz * dz, 0.0));
  };
  const double margin = RoundingShare * (std::fabs(centre_.r) + radius_ + nose_);
  return std::max(box_.low, std::min(pathAt(left - nose_), pathAt(right + nose_)) - nose_ - margin);
}

void AddSweep(const MovePath& path, PathPoint shift, double nose, std::vector<SweepPiece>& pieces) {
  if (!path.isArc()) {
    pieces.push_back(SweepPiece::segment(plus(path.from(), shift), plus(path.to(), shift), nose));
    return;
  }
  const double start = path.startAngle(), sweep = path.sweep();
  AddArcSweep(plus(path.centre(), shift), path.radius(), std::min(start, start + sweep),
              std::max(start, start + sweep), nose, pieces);
}

void AddArcSweep(PathPoint centre, double radius, double low, double high, double nose,
                 std::vector<SweepPiece>& pieces) {
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  // Cut at every quadrant boundary the arc passes.
  auto quadrant = static_cast<long long>(std::floor(low / QuarterTurn));
  PathPoint first = direction(low);
  for (; static_cast<double>(quadrant + 1) * QuarterTurn < high; ++quadrant) {
    const PathPoint boundary = axisDirection(quadrant + 1);
    pieces.push_back(SweepPiece::arc(centre, radius, first, boundary, nose, quadrant));
    first = boundary;
  }
  pieces.push_back(SweepPiece::arc(centre, radius, first, direction(high), nose, quadrant));
}

}  // namespace draivo
