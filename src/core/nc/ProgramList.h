#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "nc/BlockTexts.h"

namespace draivo {

// A list of block texts with a selected entry (ListIndex, -1 for none) and the entry shown at
// the top (TopIndex): the program list and the hidden offset-contour list. The texts are
// held in one BlockTexts, which a loaded program shares with the list instead of copying.
class ProgramList {
 public:
  void Clear();
  void AddItem(std::string_view text);
  // Replaces the entries by the texts of a loaded program (no selection, as after Clear).
  void setBlocks(std::shared_ptr<const BlockTexts> blocks);

  int ListCount() const { return blocks_ ? static_cast<int>(blocks_->size()) : 0; }
  // The entry's text, "" for an index outside the list; valid until the entries change.
  std::string_view List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return (*blocks_)[static_cast<std::size_t>(index)];
  }
  // The entry's line in the file it was loaded from; 0 for an index outside the list.
  std::size_t lineOf(int index) const {
    if (index < 0 || index >= ListCount()) return 0;
    return blocks_->lineOf(static_cast<std::size_t>(index));
  }
  // The entries as they are now, kept unchanged for whoever holds them: a later change of the
  // list gives it other texts. Null for a list that never had entries.
  std::shared_ptr<const BlockTexts> texts() const { return blocks_; }
  // The first entry whose text contains `text`; ListCount() when none does.
  int firstContaining(std::string_view text) const;

  int ListIndex() const { return listIndex_; }
  void setListIndex(int index);  // clamped to -1 .. ListCount() - 1
  int TopIndex() const { return topIndex_; }
  void setTopIndex(int index);   // clamped to 0 .. ListCount() - 1

  // Grow with every change of the entries, and of the selection or scroll position.
  std::uint64_t contentRevision() const { return contentRevision_; }
  std::uint64_t selectionRevision() const { return selectionRevision_; }

 private:
  // The texts, changed in place only when this list made them and holds them alone.
  BlockTexts* ownTexts();

  std::shared_ptr<const BlockTexts> blocks_;
  bool madeHere_{};
  int listIndex_ = -1;
  int topIndex_{};
  std::uint64_t contentRevision_{};
  std::uint64_t selectionRevision_{};
};

}  // namespace draivo
