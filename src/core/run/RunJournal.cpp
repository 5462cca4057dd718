#include "run/RunJournal.h"

namespace draivo {

std::optional<JournalEntry> RunJournal::next(std::uint64_t point, bool holdOnly) {
  if (cursor_ >= entries_.size()) return {};
  const JournalEntry& entry = entries_[cursor_];
  if (entry.point != point || (holdOnly && entry.input != RunInput::Hold)) return {};
  ++cursor_;
  return entry;
}

}  // namespace draivo
