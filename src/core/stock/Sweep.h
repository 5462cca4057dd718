#pragma once

#include <vector>

#include "motion/MovePath.h"

namespace draivo {

// A range of distances from the axis, both ends included; empty when hi < lo.
struct Interval {
  double lo{};
  double hi{};
};

// A box of the plane of the move: z from left to right, r from low to high.
struct SweepBox {
  double left{}, right{}, low{}, high{};
};

// What an outside turning tool covers while the centre of its round nose travels one piece of
// a path: the nose circle and the insert and holder above it and towards +Z (the side away
// from the tool's tip), which take everything outward of the nose's lowest point and right of
// its centre. So a turning pass along -Z and a facing pass towards the axis take their whole
// layer, as the tool's edges do, however deep the pass is. On a line z = constant the piece
// covers everything from its lowest point upwards. A piece is a straight segment (the nose sweeps a capsule) or an arc
// within one quadrant of its circle (an annular sector with a disc at each end); both give
// their lowest point exactly.
class SweepPiece {
 public:
  static SweepPiece segment(PathPoint from, PathPoint to, double nose);
  // The arc around `centre` with radius `radius` from direction `first` counter-clockwise to
  // direction `last` (unit vectors at most a quarter turn apart, in one quadrant).
  static SweepPiece arc(PathPoint centre, double radius, PathPoint first, PathPoint last,
                        double nose, long long quadrant);

  // The box of the nose's sweep, open towards +Z (the body above it reaches further up and to
  // the right).
  const SweepBox& box() const { return box_; }
  // The lowest r the nose reaches on the line z; infinity where it does not pass.
  double lowest(double z) const;
  // Nothing of the piece lies below this over z from `left` to `right`.
  double lowestOver(double left, double right) const;
  // The quadrant of an arc piece, counted on from the arc's angles (0 for a segment): a part
  // of an arc cut into quadrants lies within the piece of the whole arc of the same quadrant.
  long long quadrant() const { return quadrant_; }

 private:
  double segmentLowest(double z) const;
  double bodyLowest(double z) const;
  double centreAt(double z) const;
  double noseLowestOver(double left, double right) const;
  double arcLowest(double z) const;
  double arcLowestOver(double left, double right) const;
  double discLowest(PathPoint centre, double z) const;
  // The line of the lower edge at z.
  double lowEdgeAt(double z) const { return lowFrom_.r + (z - lowFrom_.z) * lowSlope_; }

  bool arc_{};
  long long quadrant_{};
  double nose_{};
  PathPoint from_, to_;  // the ends of the centre's path
  SweepBox box_;
  // Segment: the lower edge of the capsule, the path moved by the nose radius along its
  // normal towards the axis (when the path is not square to the axis).
  bool sloped_{};
  PathPoint lowFrom_, lowTo_;
  double lowSlope_{};
  // Arc.
  PathPoint centre_, first_, last_;
  double radius_{};
};

// The pieces swept by a nose of radius `nose` whose centre follows `path` moved by `shift`:
// one for a line, one per quadrant an arc passes through.
void AddSweep(const MovePath& path, PathPoint shift, double nose, std::vector<SweepPiece>& pieces);
// The pieces of the arc around `centre` counter-clockwise from angle `low` to `high` (radians,
// atan2 of r over z, at most a turn apart).
void AddArcSweep(PathPoint centre, double radius, double low, double high, double nose,
                 std::vector<SweepPiece>& pieces);

}  // namespace draivo
