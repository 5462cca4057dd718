#include "nc/ProgramList.h"

#include <algorithm>

namespace draivo {

void ProgramList::Clear() {
  items_.clear();
  listIndex_ = -1;
  topIndex_ = 0;
  ++contentRevision_;
  ++selectionRevision_;
}

void ProgramList::AddItem(std::string text) {
  items_.push_back(std::move(text));
  ++contentRevision_;
}

const std::string& ProgramList::List(int index) const {
  static const std::string none;
  if (index < 0 || index >= ListCount()) return none;
  return items_[static_cast<std::size_t>(index)];
}

void ProgramList::setListIndex(int index) {
  listIndex_ = std::clamp(index, -1, ListCount() - 1);
  ++selectionRevision_;
}

void ProgramList::setTopIndex(int index) {
  topIndex_ = std::clamp(index, 0, std::max(0, ListCount() - 1));
  ++selectionRevision_;
}

}  // namespace draivo
