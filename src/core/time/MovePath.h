#pragma once

namespace draivo {

// A tool position in the plane of the move: z along the spindle axis, r the distance from
// the axis (half the X diameter), both in the program's unit.
struct PathPoint {
  double z = 0;
  double r = 0;
};

// The path of one feed move, a straight line or a circular arc, as the tool travels it.
class MovePath {
 public:
  static MovePath line(PathPoint from, PathPoint to);
  // The arc of the radius form: the shorter arc for a positive radius, the longer one for a
  // negative radius. A radius shorter than half the chord gives the half circle over it.
  static MovePath arcByRadius(PathPoint from, PathPoint to, double radius, bool clockwise);
  // The arc around `centre` from `from` to the direction of `to`; ending where it began, it
  // is a full circle. Clockwise as the view shows it: Z to the right, X upwards.
  static MovePath arcByCentre(PathPoint from, PathPoint to, PathPoint centre, bool clockwise);

  bool isArc() const { return arc_; }
  double length() const { return length_; }
  // The distance from the axis at the fraction `t` (0 to 1) of the path.
  double radiusAt(double t) const;

 private:
  bool arc_ = false;
  double length_ = 0;
  double fromR_ = 0, toR_ = 0;                                    // line
  double centreR_ = 0, radius_ = 0, startAngle_ = 0, sweep_ = 0;  // arc (sweep signed)
};

// How far a rapid move takes the tool. Both axes traverse at the rapid rate, so the tool runs
// at 45 degrees until one axis has arrived and then straight on, and the time is that of the
// axis that moves furthest.
struct RapidTravel {
  double length = 0;  // along the path
  double travel = 0;  // of the axis that moves furthest
};
RapidTravel rapidTravel(PathPoint from, PathPoint to);

}  // namespace draivo
