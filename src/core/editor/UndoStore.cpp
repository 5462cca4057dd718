#include "editor/UndoStore.h"

namespace draivo {
namespace {

std::size_t bytesOf(const TextChange& change) {
  return (change.removed.size() + change.inserted.size()) * sizeof(char16_t);
}

}  // namespace

void UndoStore::recordChange(TextChange change) {
  if (restoring_) return;
  discardAboveIndex();
  if (index_ == Capacity) dropOldest();
  const std::size_t bytes = bytesOf(change);
  while (index_ > 0 && storedBytes_ + bytes > byteBudget_) dropOldest();
  steps_.push_back(std::move(change));
  storedBytes_ += bytes;
  index_ = top();
}

std::optional<TextChange> UndoStore::undo() {
  if (index_ == 0) return {};
  --index_;
  return steps_[static_cast<std::size_t>(index_)].reversed();
}

std::optional<TextChange> UndoStore::redo() {
  if (top() <= index_) return {};
  ++index_;
  return steps_[static_cast<std::size_t>(index_ - 1)];
}

void UndoStore::resetIndex() {
  index_ = 0;
  if (startsEmpty_) return;
  steps_.clear();
  storedBytes_ = 0;
  startsEmpty_ = true;
}

// The steps above the index can no longer be redone once a new one is stored.
void UndoStore::discardAboveIndex() {
  while (top() > index_) {
    storedBytes_ -= bytesOf(steps_.back());
    steps_.pop_back();
  }
}

void UndoStore::dropOldest() {
  storedBytes_ -= bytesOf(steps_.front());
  steps_.pop_front();
  --index_;
  startsEmpty_ = false;
}

}  // namespace draivo
