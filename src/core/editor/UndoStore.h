#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace draivo {

// One change of the editor's text: from `position` on (in UTF-16 units, as the text area
// counts), the characters `removed` gave way to `inserted`.
struct TextChange {
  std::size_t position{};
  std::u16string removed;
  std::u16string inserted;

  // The change that takes it back.
  TextChange reversed() const { return {position, inserted, removed}; }
  bool operator==(const TextChange&) const = default;
};

// The undo history of the editor. Index k stands for the text after the k-th change since the
// history began; index 0 for the empty text. Each step is kept as the change it made, not as
// a copy of the text, so a keystroke costs the same on a long text as on a short one. When
// Capacity steps are in use, or the steps together would pass the byte budget, the oldest
// steps are dropped, so recording never fails and a large text cannot exhaust the memory;
// index 0 then stands for the oldest text still reachable.
class UndoStore {
 public:
  static constexpr int Capacity = 1000;
  static constexpr std::size_t DefaultByteBudget = std::size_t{256} * 1024 * 1024;

  explicit UndoStore(std::size_t byteBudget = DefaultByteBudget) : byteBudget_(byteBudget) {}

  // A change of the text: unless restoring, stores it as the step after the index and makes
  // it the highest one that can be redone.
  void recordChange(TextChange change);
  // The change that takes the text one step back, or nothing at index 0.
  std::optional<TextChange> undo();
  // The change that takes the text one step forward, or nothing when no step lies above.
  std::optional<TextChange> redo();
  // New and Open count from 0 again on the emptied text; the steps stay and can be redone
  // from it. Once older steps were dropped they cannot lead on from an empty text, so then
  // the history starts afresh.
  void resetIndex();

  int index() const { return index_; }
  int top() const { return static_cast<int>(steps_.size()); }
  std::size_t storedBytes() const { return storedBytes_; }

  void setRestoring(bool restoring) { restoring_ = restoring; }

 private:
  void discardAboveIndex();
  void dropOldest();

  std::deque<TextChange> steps_;  // steps_[k - 1] leads from index k - 1 to index k
  std::size_t byteBudget_;
  std::size_t storedBytes_{};
  int index_{};
  bool startsEmpty_ = true;  // index 0 is the empty text: no step was dropped
  bool restoring_{};
};

// Sets the restoring flag for the lifetime of the guard, so changes made meanwhile (undo,
// redo) are not stored as new steps.
class RestoringGuard {
 public:
  explicit RestoringGuard(UndoStore& store) : store_(store) { store_.setRestoring(true); }
  ~RestoringGuard() { store_.setRestoring(false); }
  RestoringGuard(const RestoringGuard&) = delete;
  RestoringGuard& operator=(const RestoringGuard&) = delete;

 private:
  UndoStore& store_;
};

}  // namespace draivo
