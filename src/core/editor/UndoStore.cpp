#include "editor/UndoStore.h"

#include <algorithm>

namespace draivo {

void UndoStore::recordChange(const std::string& text) {
  if (restoring_) return;
  if (index_ == Capacity) dropOldest();
  ++index_;
  top_ = index_;
  slots_[static_cast<std::size_t>(index_)] = text;
}

std::optional<std::string> UndoStore::undo() {
  if (index_ == 0) return std::nullopt;
  --index_;
  return slots_[static_cast<std::size_t>(index_)];
}

std::optional<std::string> UndoStore::redo() {
  if (top_ <= index_) return std::nullopt;
  ++index_;
  return slots_[static_cast<std::size_t>(index_)];
}

void UndoStore::dropOldest() {
  // Slot 0 stays the empty text; every other snapshot moves one slot down.
  std::move(slots_.begin() + 2, slots_.end(), slots_.begin() + 1);
  slots_.back().clear();
  --index_;
  top_ = std::min(top_, Capacity - 1);
}

}  // namespace draivo
