#include "nc/ProgramList.h"

#include <algorithm>

namespace draivo {

BlockTexts* ProgramList::ownTexts() {
  if (madeHere_ && blocks_.use_count() == 1) {
    // Made by make_shared<BlockTexts> below: the object itself is not const.
    return const_cast<BlockTexts*>(blocks_.get());
  }
  auto texts = blocks_ ? std::make_shared<BlockTexts>(*blocks_) : std::make_shared<BlockTexts>();
  BlockTexts* own = texts.get();
  blocks_ = std::move(texts);
  madeHere_ = true;
  return own;
}

void ProgramList::Clear() {
  if (madeHere_ && blocks_.use_count() == 1) {
    ownTexts()->clear();
  } else {
    blocks_.reset();
    madeHere_ = false;
  }
  listIndex_ = -1;
  topIndex_ = 0;
  ++contentRevision_;
  ++selectionRevision_;
}

void ProgramList::AddItem(std::string_view text) {
  ownTexts()->add(text);
  ++contentRevision_;
}

void ProgramList::setBlocks(std::shared_ptr<const BlockTexts> blocks) {
  blocks_ = std::move(blocks);
  madeHere_ = false;
  listIndex_ = -1;
  topIndex_ = 0;
  ++contentRevision_;
  ++selectionRevision_;
}

int ProgramList::firstContaining(std::string_view text) const {
  return blocks_ ? static_cast<int>(blocks_->firstContaining(text)) : 0;
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
