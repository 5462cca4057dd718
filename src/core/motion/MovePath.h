#pragma once

namespace draivo {

// A tool position in the plane of the move: z along the spindle axis, r the distance from
// the axis (half the X diameter), both in the program's unit.
struct PathPoint {
  double z{};
  double r{};

  bool operator==(const PathPoint&) const = default;
};

// The path of one move, a straight line or a circular arc, as the tool travels it.
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
  double length() const;
  // The distance from the axis at the fraction `t` (0 to 1) of the path.
  double radiusAt(double t) const;
  // The point at the fraction `t` of the path.
  PathPoint pointAt(double t) const;

  PathPoint from() const { return from_; }
  // The end of a line; an arc ends at pointAt(1), on its circle.
  PathPoint to() const { return to_; }
  // Of an arc: its centre, radius, the angle of its start (atan2 of r over z, from the centre)
  // and its sweep, negative for a clockwise arc.
  PathPoint centre() const { return centre_; }
  double radius() const { return radius_; }
  double startAngle() const { return startAngle_; }
  double sweep() const { return sweep_; }

 private:
  bool arc_{};
  double length_{};  // of an arc; a line's length is found when asked
  PathPoint from_, to_;
  PathPoint centre_;
  double radius_{}, startAngle_{}, sweep_{};
};

// How far a rapid move takes the tool. Both axes traverse at the rapid rate, so the tool runs
// at 45 degrees until one axis has arrived and then straight on, and the time is that of the
// axis that moves furthest.
struct RapidTravel {
  double length{};  // along the path
  double travel{};  // of the axis that moves furthest
};
RapidTravel rapidTravel(PathPoint from, PathPoint to);

// Where the 45 degree leg of a rapid move ends: one axis has arrived there.
PathPoint rapidCorner(PathPoint from, PathPoint to);

}  // namespace draivo
