#pragma once

#include <cstddef>
#include <memory>

namespace draivo {

// A part that follows the run through its hooks and keeps an account of its own (the
// machining time, the stock): its state is kept with every checkpoint of the run and put back
// with it, and the replay from there feeds the part again through the same hooks, so that its
// account equals that of a run that never went back.
class CheckpointPart {
 public:
  class State {
   public:
    virtual ~State() = default;
    virtual std::size_t bytes() const = 0;
  };

  virtual ~CheckpointPart() = default;
  virtual std::unique_ptr<State> saveState() const = 0;
  // `state` is one that saveState of this part returned.
  virtual void restoreState(const State& state) = 0;
};

// The state of a part that is a plain copyable value.
template <typename Value>
class ValueState : public CheckpointPart::State {
 public:
  explicit ValueState(Value value) : value(std::move(value)) {}
  std::size_t bytes() const override { return sizeof(Value); }
  Value value;
};

}  // namespace draivo
