#include "nc/ProgramList.h"

#include <algorithm>

#include "nc/SequenceIndex.h"

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

int ProgramList::firstContaining(std::string_view text) const {
  if (SequenceIndex::indexable(text)) {
    if (!indexTried_ || indexRevision_ != contentRevision_ || indexedCount_ != items_.size()) {
      auto built = SequenceIndex::build(items_);
      sequenceIndex_ = built ? std::make_shared<const SequenceIndex>(std::move(*built)) : nullptr;
      indexRevision_ = contentRevision_;
      indexedCount_ = items_.size();
      indexTried_ = true;
    }
    if (sequenceIndex_) return static_cast<int>(sequenceIndex_->firstContaining(items_, text));
  }
  const auto found = std::find_if(items_.begin(), items_.end(), [text](const std::string& item) {
    return item.find(text) != std::string::npos;
  });
  return static_cast<int>(found - items_.begin());
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
