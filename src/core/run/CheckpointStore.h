#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "run/CheckpointPart.h"

namespace draivo {

// The state of a run at a gate of its block loop, before the gate: the run's own state and
// that of every part that follows it, in the order the parts were added.
struct Checkpoint {
  std::uint64_t gatesPassed{};  // gates the run had passed; the next gate is number + 1
  std::vector<std::unique_ptr<CheckpointPart::State>> states;
  std::size_t bytes() const;
};

// The checkpoints of one run, one every `interval` gates at most. When there are more than
// MaxCheckpoints or they take more than MaxBytes, every second one is dropped (the first, at
// the start of the run, always stays) and the interval doubles, so the count and the memory
// stay bounded however long the run is, and a replay to any gate starts no further back than
// an interval.
class CheckpointStore {
 public:
  static constexpr std::size_t MaxCheckpoints = 128;
  static constexpr std::size_t MaxBytes = std::size_t{40} << 20;
  static constexpr std::uint64_t StartInterval = 1024;
  // An interval that keeps only the first checkpoint of a run.
  static constexpr std::uint64_t NoInterval = std::uint64_t{1} << 62;

  void clear();
  // The first interval of a run (tests make it small to replay across many checkpoints).
  void setStartInterval(std::uint64_t gates) { startInterval_ = gates < 1 ? 1 : gates; }
  // A checkpoint is due before the gate after `gatesPassed` gates.
  bool due(std::uint64_t gatesPassed) const;
  void add(Checkpoint checkpoint);
  // The last checkpoint taken before gate `gate` (of those with gatesPassed < gate).
  const Checkpoint* before(std::uint64_t gate) const;
  // Drops the checkpoints taken after the gate: the run goes on from there differently.
  void dropAfter(std::uint64_t gatesPassed);

  std::size_t count() const { return checkpoints_.size(); }
  std::size_t bytes() const { return bytes_; }
  std::uint64_t interval() const { return interval_; }

 private:
  void thin();

  std::vector<Checkpoint> checkpoints_;
  std::size_t bytes_{};
  std::uint64_t startInterval_ = StartInterval;
  std::uint64_t interval_ = StartInterval;
};

}  // namespace draivo
