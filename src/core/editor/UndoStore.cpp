#include "editor/UndoStore.h"

#include <algorithm>

namespace draivo {

void UndoStore::recordChange(const std::string& text) {
  if (restoring_) return;
  discardAboveIndex();
  if (index_ == Capacity) dropOldest();
  while (index_ > 0 && storedBytes_ + text.size() > byteBudget_) dropOldest();
  ++index_;
  top_ = index_;
  slots_[static_cast<std::size_t>(index_)] = text;
  storedBytes_ += text.size();
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

// The snapshots above the index can no longer be redone once a new one is stored.
void UndoStore::discardAboveIndex() {
  for (int slot = index_ + 1; slot <= top_; ++slot) {
    auto& text = slots_[static_cast<std::size_t>(slot)];
    storedBytes_ -= text.size();
    std::string().swap(text);
  }
  top_ = index_;
}

void UndoStore::dropOldest() {
  // Slot 0 stays the empty text; every other snapshot moves one slot down.
  storedBytes_ -= slots_[1].size();
  std::move(slots_.begin() + 2, slots_.end(), slots_.begin() + 1);
  std::string().swap(slots_.back());
  --index_;
  top_ = std::max(top_ - 1, index_);
}

}  // namespace draivo
