// However long a run is, its checkpoints stay within their count and their memory, the one at
// the start stays, and a replay to any gate starts no further back than the interval.
#include <gtest/gtest.h>

#include <array>

#include "run/CheckpointStore.h"

namespace draivo {
namespace {

// A state as large as a picture and a stock together, so that memory thins before the count.
struct LargeState {
  std::array<char, std::size_t{512} << 10> bytes{};
};

TEST(CheckpointStore, StaysBoundedOverALongRun) {
  constexpr std::uint64_t Gates = 100000;
  CheckpointStore store;
  store.setStartInterval(0);  // taken as 1, the smallest interval
  store.clear();  // as a run starts: the interval takes effect, so the store thins often
  const auto large = std::make_unique<LargeState>();
  for (std::uint64_t gate = 0; gate < Gates; ++gate) {
    if (!store.due(gate)) continue;
    Checkpoint checkpoint;
    checkpoint.gatesPassed = gate;
    checkpoint.states.push_back(std::make_unique<ValueState<LargeState>>(*large));
    store.add(std::move(checkpoint));
    ASSERT_LE(store.count(), CheckpointStore::MaxCheckpoints) << "gate " << gate;
    ASSERT_LE(store.count() * sizeof(LargeState), CheckpointStore::MaxBytes) << "gate " << gate;
  }
  // Thinning halves the store only when it is full: at least half of what the memory holds stays.
  EXPECT_GE(store.count(), CheckpointStore::MaxBytes / sizeof(LargeState) / 2);
  EXPECT_EQ(store.before(1)->gatesPassed, 0u);
  EXPECT_EQ(store.before(0), nullptr);
  for (const std::uint64_t gate : {std::uint64_t{2}, Gates / 3, Gates - 1, Gates}) {
    const Checkpoint* from = store.before(gate);
    ASSERT_NE(from, nullptr);
    EXPECT_LT(from->gatesPassed, gate);
    EXPECT_LE(gate - from->gatesPassed, store.interval()) << "gate " << gate;
  }
  // The memory the store counts is what it holds, also after a run went back, so that a run
  // going on from there thins no earlier than one that never went back.
  const std::size_t eachBytes = store.before(1)->bytes();
  EXPECT_EQ(store.bytes(), store.count() * eachBytes);
  store.dropAfter(Gates / 3);
  EXPECT_LE(store.before(Gates)->gatesPassed, Gates / 3);
  EXPECT_EQ(store.bytes(), store.count() * eachBytes);
}

}  // namespace
}  // namespace draivo
