#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace draivo {

// Whole-text snapshots of the editor. Slot 0 is never written and stands for the empty text;
// slots 1 to Capacity hold the texts after successive changes. When every slot is in use, or
// the snapshots together would pass the byte budget, the oldest snapshots are dropped, so
// recording never fails and a large text cannot exhaust the memory.
class UndoStore {
 public:
  static constexpr int Capacity = 1000;
  static constexpr std::size_t DefaultByteBudget = std::size_t{256} * 1024 * 1024;

  explicit UndoStore(std::size_t byteBudget = DefaultByteBudget) : byteBudget_(byteBudget) {}

  // A change of the text: unless restoring, stores the text in the next slot and makes it
  // the highest one that can be redone.
  void recordChange(const std::string& text);
  // The text one step back, or nothing at index 0.
  std::optional<std::string> undo();
  // The text one step forward, or nothing when no snapshot lies above the index.
  std::optional<std::string> redo();
  // New and Open start counting at 0 again; the snapshots and the top stay.
  void resetIndex() { index_ = 0; }

  int index() const { return index_; }
  int top() const { return top_; }
  const std::string& snapshot(int slot) const { return slots_.at(static_cast<std::size_t>(slot)); }
  std::size_t storedBytes() const { return storedBytes_; }

  bool restoring() const { return restoring_; }
  void setRestoring(bool restoring) { restoring_ = restoring; }

 private:
  void discardAboveIndex();
  void dropOldest();

  std::array<std::string, Capacity + 1> slots_{};
  std::size_t byteBudget_;
  std::size_t storedBytes_ = 0;
  int index_ = 0;
  int top_ = 0;
  bool restoring_ = false;
};

// Sets the restoring flag for the lifetime of the guard, so whole-text replacements made
// meanwhile create no snapshot.
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
