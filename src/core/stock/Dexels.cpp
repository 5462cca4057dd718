#include "stock/Dexels.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace draivo {
namespace {

bool empty(const Interval& material) {
  return !(material.lo < material.hi);
}

// What the tool takes from the column when its nose reaches down to `lowest`: the material
// above it. Material that only touches it stays.
double takenAbove(const Interval& material, double lowest) {
  if (empty(material) || !(lowest < material.hi)) return 0;
  return material.hi - std::max(material.lo, lowest);
}

double topOf(const Interval& material) {
  return empty(material) ? ReachTree::NoMaterial : material.hi;
}

}  // namespace

double Removal::thickness(double step) const {
  return std::min(deepest, static_cast<double>(columns) * step);
}

void Removal::add(const Removal& other) {
  deepest = std::max(deepest, other.deepest);
  columns += other.columns;
}

void ColumnSpan::add(std::size_t column) {
  if (empty()) {
    first = last = column;
  } else {
    first = std::min(first, column);
    last = std::max(last, column);
  }
}

Dexels::Dexels(double left, double length, double maxStep, Interval material)
    : left_(left),
      step_(0),
      columns_(static_cast<std::size_t>(std::max(1.0, std::ceil(length / maxStep))), material),
      tops_(columns_.size()) {
  step_ = length / static_cast<double>(columns_.size());
  tops_.build([this](std::size_t column) { return topOf(columns_[column]); });
}

double Dexels::centreOf(std::size_t column) const {
  return left_ + (static_cast<double>(column) + 0.5) * step_;
}

ColumnSpan Dexels::columnsWithin(double from, double to) const {
  const double last = static_cast<double>(count()) - 1;
  const double low = std::floor((from - left_) / step_ - 0.5);
  const double high = std::ceil((to - left_) / step_ - 0.5);
  if (!(low <= high) || high < 0 || low > last) return {};
  return {static_cast<std::size_t>(std::max(low, 0.0)),
          static_cast<std::size_t>(std::min(high, last))};
}

// Calls visit(column, lowest) for the columns under the piece whose material the piece may
// reach, with the lowest point the piece reaches at the column's centre.
template <typename Tree, typename Visit>
void Dexels::visitCovered(Tree& tree, const Dexels& dexels, const SweepPiece& piece, Visit visit) {
  const SweepBox& box = piece.box();
  const ColumnSpan span = dexels.columnsWithin(box.left, box.right);
  if (span.empty() || !(box.low < tree.coarseTop(span.first, span.last))) return;
  const auto mayTouch = [&](std::size_t first, std::size_t last, double top) {
    return box.low < top && piece.lowestOver(dexels.centreOf(first), dexels.centreOf(last)) < top;
  };
  tree.walk(span.first, span.last, mayTouch, [&](std::size_t column) {
    return visit(column, piece.lowest(dexels.centreOf(column)));
  });
}

Removal Dexels::remove(const SweepPiece& piece, const SweepPiece* within) {
  Removal removal;
  visitCovered(tops_, *this, piece, [&](std::size_t column, double lowest) -> std::optional<double> {
    if (within) lowest = std::max(lowest, within->lowest(centreOf(column)));
    Interval& material = columns_[column];
    const double taken = takenAbove(material, lowest);
    if (!(taken > 0)) return {};
    material.hi = std::max(material.lo, lowest);
    if (material.hi == material.lo) material = {0, -1};
    removal.add({taken, 1});
    changed_.add(column);
    return topOf(material);
  });
  return removal;
}

Removal Dexels::measure(const SweepPiece& piece) const {
  Removal removal;
  visitCovered(tops_, *this, piece, [&](std::size_t column, double lowest) {
    const double taken = takenAbove(columns_[column], lowest);
    if (taken > 0) removal.add({taken, 1});
  });
  return removal;
}

double Dexels::area() const {
  double sum = 0;
  for (const Interval& material : columns_) {
    if (!empty(material)) sum += material.hi - material.lo;
  }
  return sum * step_;
}

ColumnSpan Dexels::takeChanged() {
  return std::exchange(changed_, {});
}

}  // namespace draivo
