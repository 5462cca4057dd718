#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <limits>
#include <optional>
#include <type_traits>
#include <vector>

namespace draivo {

// A segment tree of the tops of the columns of a stock (the outermost material of each,
// minus infinity for a column without material): a sweep that stays above the top of a
// node's columns cannot touch any of them, so a move in the air or along a surface already
// cut costs a walk down a few nodes, not a look at every column.
class ReachTree {
 public:
  static constexpr double NoMaterial = -std::numeric_limits<double>::infinity();

  explicit ReachTree(std::size_t columns = 0);

  std::size_t columns() const { return columns_; }
  double topOf(std::size_t column) const { return nodes_[leaves_ + column]; }
  // A top at least as high as every column's from `first` to `last`, read from the nodes of
  // CoarseColumns columns each that cover them: a quick look before a walk.
  double coarseTop(std::size_t first, std::size_t last) const;
  // Sets the top of every column from `topOf(column)` and builds the nodes over them.
  template <typename TopOf>
  void build(TopOf topOf);

  // Calls visit(column) for every column from `first` to `last` (included) that lies in a node
  // that `mayTouch(firstColumn, lastColumn, top)` does not rule out. A visit that changes its
  // column returns the column's new top (std::optional<double>), and the nodes above it are
  // brought up to date; the const walk takes visits that return nothing. The nodes that make
  // up the range are found from the bottom up, without walking down to them.
  template <typename MayTouch, typename Visit>
  void walk(std::size_t first, std::size_t last, MayTouch mayTouch, Visit visit) {
    walkRange(*this, first, last, mayTouch, visit);
  }
  template <typename MayTouch, typename Visit>
  void walk(std::size_t first, std::size_t last, MayTouch mayTouch, Visit visit) const {
    walkRange(*this, first, last, mayTouch, visit);
  }

 private:
  template <typename Tree, typename MayTouch, typename Visit>
  static void walkRange(Tree& tree, std::size_t first, std::size_t last, MayTouch& mayTouch,
                        Visit& visit);
  // Whether the node's top changed.
  template <typename Tree, typename MayTouch, typename Visit>
  static bool walkNode(Tree& tree, std::size_t node, std::size_t low, std::size_t high,
                       MayTouch& mayTouch, Visit& visit);

  static constexpr std::size_t LinearRun = 16;
  static constexpr int CoarseHeight = 8;  // nodes of 256 columns
  // Brings the nodes under `node` up to date with their leaves.
  void refresh(std::size_t node);

  std::size_t columns_{};
  std::size_t leaves_ = 1;  // a power of two at least the number of columns
  std::vector<double> nodes_;
};

template <typename TopOf>
void ReachTree::build(TopOf topOf) {
  for (std::size_t column = 0; column < columns_; ++column) nodes_[leaves_ + column] = topOf(column);
  for (std::size_t node = leaves_ - 1; node >= 1; --node) {
    nodes_[node] = std::max(nodes_[2 * node], nodes_[2 * node + 1]);
  }
}

template <typename Tree, typename MayTouch, typename Visit>
void ReachTree::walkRange(Tree& tree, std::size_t first, std::size_t last, MayTouch& mayTouch,
                          Visit& visit) {
  if (first > last || last >= tree.columns_) return;
  const int leafLevel = std::bit_width(tree.leaves_);
  const auto take = [&](std::size_t node) {
    // The columns under the node: it stands `height` levels above the leaves.
    const int height = leafLevel - std::bit_width(node);
    const std::size_t low = (node << height) - tree.leaves_;
    const std::size_t high = low + (std::size_t{1} << height) - 1;
    if (!walkNode(tree, node, low, high, mayTouch, visit)) return;
    if constexpr (!std::is_const_v<Tree>) {
      for (std::size_t up = node / 2; up >= 1; up /= 2) {
        tree.nodes_[up] = std::max(tree.nodes_[2 * up], tree.nodes_[2 * up + 1]);
      }
    }
  };
  for (std::size_t left = first + tree.leaves_, right = last + tree.leaves_ + 1; left < right;
       left /= 2, right /= 2) {
    if (left & 1) take(left++);
    if (right & 1) take(--right);
  }
}

template <typename Tree, typename MayTouch, typename Visit>
bool ReachTree::walkNode(Tree& tree, std::size_t node, std::size_t low, std::size_t high,
                         MayTouch& mayTouch, Visit& visit) {
  const double top = tree.nodes_[node];
  if (top == NoMaterial) return false;
  if (!mayTouch(low, std::min(high, tree.columns_ - 1), top)) return false;
  // A short run of columns is visited one by one, without asking about each.
  if (high - low < LinearRun) {
    bool changed = false;
    for (std::size_t column = low; column <= high && column < tree.columns_; ++column) {
      if constexpr (std::is_const_v<Tree>) {
        visit(column);
      } else if (const std::optional<double> top = visit(column)) {
        tree.nodes_[tree.leaves_ + column] = *top;
        changed = true;
      }
    }
    if constexpr (!std::is_const_v<Tree>) {
      if (changed) tree.refresh(node);
    }
    return changed;
  }
  const std::size_t middle = low + (high - low) / 2;
  const bool left = walkNode(tree, 2 * node, low, middle, mayTouch, visit);
  const bool right = walkNode(tree, 2 * node + 1, middle + 1, high, mayTouch, visit);
  if constexpr (!std::is_const_v<Tree>) {
    if (left || right) tree.nodes_[node] = std::max(tree.nodes_[2 * node], tree.nodes_[2 * node + 1]);
  }
  return left || right;
}

}  // namespace draivo
