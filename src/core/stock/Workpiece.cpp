#include "stock/Workpiece.h"

#include <algorithm>

namespace draivo {
namespace {

double stepFor(const BarBlank& blank, LengthUnit unit) {
  const double step = unit == LengthUnit::Inch ? Workpiece::InchStep : Workpiece::MillimetreStep;
  return std::max(step, blank.length / Workpiece::MaxColumns);
}

// The tool's insert and holder stand above and right of the nose without end: a sweep reaches
// the jaws when it passes them along Z, or starts left of their right side, below their top.
bool mayReach(const SweepBox& sweep, const SweepBox& jaws) {
  return sweep.left < jaws.right && jaws.left < sweep.right && sweep.low < jaws.high;
}

}  // namespace

Workpiece::Workpiece(const BarBlank& blank, LengthUnit unit)
    : blank_(blank),
      unit_(unit),
      stock_(blank.face - blank.length, blank.length, stepFor(blank, unit),
             {blank.bore / 2, blank.diameter / 2}) {
  if (blank.chuckLength > 0) {
    const double end = blank.face - blank.length;
    jaws_ = SweepBox{end, end + blank.chuckLength, blank.diameter / 2, blank.jaws() / 2};
  }
}

double Workpiece::materialIn(const std::vector<SweepPiece>& pieces) const {
  double thickest = 0;
  for (const SweepPiece& piece : pieces) {
    thickest = std::max(thickest, stock_.measure(piece).thickness(stock_.step()));
  }
  return thickest;
}

double Workpiece::jawsIn(const std::vector<SweepPiece>& pieces) const {
  if (!jaws_) return 0;
  const SweepBox& jaws = *jaws_;
  double thickest = 0;
  for (const SweepPiece& piece : pieces) {
    const SweepBox& box = piece.box();
    if (!mayReach(box, jaws)) continue;
    const ColumnSpan span =
        stock_.columnsWithin(std::max(box.left, jaws.left), std::min(box.right, jaws.right));
    Removal entered;
    for (std::size_t column = span.first; !span.empty() && column <= span.last; ++column) {
      const double z = stock_.centreOf(column);
      if (z < jaws.left || z > jaws.right) continue;
      // The tool takes everything above its nose: it enters the jaws below their top.
      const double deepest = jaws.high - std::max(piece.lowest(z), jaws.low);
      if (deepest > 0) entered.add({deepest, 1});
    }
    thickest = std::max(thickest, entered.thickness(stock_.step()));
  }
  return thickest;
}

Removal Workpiece::remove(const SweepPiece& piece, const SweepPiece* within) {
  const Removal removal = stock_.remove(piece, within);
  if (removal.columns > 0) removed_ = true;
  return removal;
}

}  // namespace draivo
