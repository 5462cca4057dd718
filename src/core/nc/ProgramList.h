#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace draivo {

class SequenceIndex;

// A list of block texts with a selected entry (ListIndex, -1 for none) and the entry shown at
// the top (TopIndex): the program list and the hidden offset-contour list.
class ProgramList {
 public:
  void Clear();
  void AddItem(std::string text);
  int ListCount() const { return static_cast<int>(items_.size()); }
  // The entry's text; "" for an index outside the list.
  const std::string& List(int index) const;
  // The first entry whose text contains `text`; ListCount() when none does. Sequence keys
  // ("N" and a number) are found through an index that is rebuilt after the entries change.
  int firstContaining(std::string_view text) const;

  int ListIndex() const { return listIndex_; }
  void setListIndex(int index);  // clamped to -1 .. ListCount() - 1
  int TopIndex() const { return topIndex_; }
  void setTopIndex(int index);   // clamped to 0 .. ListCount() - 1

  const std::vector<std::string>& items() const { return items_; }
  // Grow with every change of the entries, and of the selection or scroll position.
  std::uint64_t contentRevision() const { return contentRevision_; }
  std::uint64_t selectionRevision() const { return selectionRevision_; }

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
  int topIndex_ = 0;
  std::uint64_t contentRevision_ = 0;
  std::uint64_t selectionRevision_ = 0;
  // The index of sequence keys and the content revision and entry count it was built for
  // (the count also tells a list whose entries were moved away).
  mutable std::shared_ptr<const SequenceIndex> sequenceIndex_;
  mutable std::uint64_t indexRevision_ = 0;
  mutable std::size_t indexedCount_ = 0;
  mutable bool indexTried_ = false;
};

}  // namespace draivo
