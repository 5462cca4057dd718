#include "run/CheckpointStore.h"

#include <algorithm>

namespace draivo {

std::size_t Checkpoint::bytes() const {
  std::size_t total = sizeof(*this);
  for (const auto& state : states) total += state ? state->bytes() : 0;
  return total;
}

void CheckpointStore::clear() {
  checkpoints_.clear();
  bytes_ = 0;
  interval_ = startInterval_;
}

bool CheckpointStore::due(std::uint64_t gatesPassed) const {
  return checkpoints_.empty() || gatesPassed >= checkpoints_.back().gatesPassed + interval_;
}

void CheckpointStore::add(Checkpoint checkpoint) {
  bytes_ += checkpoint.bytes();
  checkpoints_.push_back(std::move(checkpoint));
  while (checkpoints_.size() > 2 && (checkpoints_.size() > MaxCheckpoints || bytes_ > MaxBytes)) {
    thin();
  }
}

void CheckpointStore::thin() {
  std::vector<Checkpoint> kept;
  bytes_ = 0;
  for (std::size_t i = 0; i < checkpoints_.size(); ++i) {
    if (i % 2 != 0 && i + 1 != checkpoints_.size()) continue;  // keep the first and the last
    bytes_ += checkpoints_[i].bytes();
    kept.push_back(std::move(checkpoints_[i]));
  }
  checkpoints_ = std::move(kept);
  interval_ *= 2;
}

const Checkpoint* CheckpointStore::before(std::uint64_t gate) const {
  const auto after = std::partition_point(
      checkpoints_.begin(), checkpoints_.end(),
      [gate](const Checkpoint& checkpoint) { return checkpoint.gatesPassed < gate; });
  return after == checkpoints_.begin() ? nullptr : &*(after - 1);
}

void CheckpointStore::dropAfter(std::uint64_t gatesPassed) {
  while (!checkpoints_.empty() && checkpoints_.back().gatesPassed > gatesPassed) {
    bytes_ -= checkpoints_.back().bytes();
    checkpoints_.pop_back();
  }
}

}  // namespace draivo
