#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace draivo {

// What the user changed while a run went on, as the run must see it again when it is
// replayed: the zoom and speed scroll bars, the check items, Start clicks, the "Direct" box,
// the answers of message boxes, and the hold of "Uitvoeren tot hier" at its block.
enum class RunInput : std::uint8_t {
  Zoom,          // HScroll1 set to `value`
  Speed,         // HScroll2 set to `value`
  OptionalStop,  // "Optionele stop" toggled
  StepMode,      // "Stap voor stap" toggled
  Start,         // the start button clicked
  Direct,        // "Direct" read as `value` (1 ticked, 0 not) from here on
  Answer,        // a message box answered with `value` (a MessageAnswer)
  Hold,          // the run holds at this gate in step mode (applied before the gate's check)
};

struct JournalEntry {
  std::uint64_t point;  // the event point (a wait of the run) the input came in
  RunInput input;
  int value;
};

// The inputs of one run in the order they came, each at the event point it came in. Event
// points are counted by the run itself (its gates, waits, event passes and message boxes), so
// a replay of the same blocks meets them at the same counts whatever the wall clock did.
class RunJournal {
 public:
  void clear() {
    entries_.clear();
    cursor_ = 0;
  }
  void record(std::uint64_t point, RunInput input, int value) {
    entries_.push_back({point, input, value});
  }
  std::size_t size() const { return entries_.size(); }

  // Replaying: the entries from `cursor` on are handed out again.
  void replayFrom(std::size_t cursor) { cursor_ = cursor; }
  // The next entry of the event point, if it was recorded there (and, with holdOnly, is a
  // hold); the replay moves past it.
  std::optional<JournalEntry> next(std::uint64_t point, bool holdOnly = false);
  // The entries not yet replayed are dropped: the run goes on from here with new inputs.
  void dropUnreplayed() { entries_.resize(cursor_); }

 private:
  std::vector<JournalEntry> entries_;
  std::size_t cursor_{};
};

}  // namespace draivo
