#pragma once

#include <cstddef>
#include <vector>

#include "stock/ReachTree.h"
#include "stock/Sweep.h"

namespace draivo {

// What a sweep takes (or would take) from the stock.
struct Removal {
  double deepest{};       // the most taken from one column, along the radius
  std::size_t columns{};  // the columns it took from

  // How thick the layer is that the sweep takes: along the radius, and along Z at the width
  // of the columns it took from, whichever is less; a pass that touches the surface takes none.
  double thickness(double step) const;
  void add(const Removal& other);
};

// The columns that changed, both included; empty when last < first.
struct ColumnSpan {
  std::size_t first = 1, last{};

  bool empty() const { return last < first; }
  void add(std::size_t column);
};

// The stock as a row of columns across Z ("dexels"): the half-section of the bar sampled at
// the centres of columns of equal width, each holding the radial range of its material
// exactly. The tool takes everything above the lowest point its nose reaches, so a column
// keeps one range, from the bore up. Removal is exact along the radius and sampled along Z;
// a tree of the columns' tops keeps sweeps that touch nothing cheap.
class Dexels {
 public:
  // Columns across [left, left + length], none wider than `maxStep`, every one holding
  // `material`.
  Dexels(double left, double length, double maxStep, Interval material);

  std::size_t count() const { return columns_.size(); }
  double left() const { return left_; }
  double step() const { return step_; }
  double centreOf(std::size_t column) const;
  // The columns whose centres may lie within [from, to] (one more on each side), as a span.
  ColumnSpan columnsWithin(double from, double to) const;
  // The material of a column; empty (hi < lo) when it has gone.
  const Interval& column(std::size_t index) const { return columns_[index]; }

  // Takes what the piece covers, within what `within` covers when it is given.
  Removal remove(const SweepPiece& piece, const SweepPiece* within = nullptr);
  // What the piece would take.
  Removal measure(const SweepPiece& piece) const;
  double area() const;

  // The columns changed since the last call.
  ColumnSpan takeChanged();

 private:
  template <typename Tree, typename Visit>
  static void visitCovered(Tree& tree, const Dexels& dexels, const SweepPiece& piece,
                           Visit visit);

  double left_;
  double step_;
  std::vector<Interval> columns_;
  ReachTree tops_;
  ColumnSpan changed_;
};

}  // namespace draivo
