#include "stock/ReachTree.h"

namespace draivo {

ReachTree::ReachTree(std::size_t columns) : columns_(columns) {
  while (leaves_ < columns_) leaves_ *= 2;
  nodes_.assign(2 * leaves_, NoMaterial);
}

double ReachTree::coarseTop(std::size_t first, std::size_t last) const {
  const int height = std::min(CoarseHeight, static_cast<int>(std::bit_width(leaves_)) - 1);
  const std::size_t level = leaves_ >> height;  // the first node of that level
  double top = NoMaterial;
  for (std::size_t block = first >> height; block <= (last >> height); ++block) {
    top = std::max(top, nodes_[level + block]);
  }
  return top;
}

void ReachTree::refresh(std::size_t node) {
  if (node >= leaves_) return;
  refresh(2 * node);
  refresh(2 * node + 1);
  nodes_[node] = std::max(nodes_[2 * node], nodes_[2 * node + 1]);
}

}  // namespace draivo
