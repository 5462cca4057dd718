#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

namespace draivo {

namespace signal_detail {
// What a connection needs of the slots of a signal, whatever the signal's arguments.
struct SlotsBase {
  virtual ~SlotsBase() = default;
  virtual void drop(std::uint64_t id) = 0;
};
}  // namespace signal_detail

// A subscription to a Signal: it ends when the connection goes (or is disconnected), and
// may outlive its signal.
class [[nodiscard]] Connection {
 public:
  Connection() = default;
  Connection(std::weak_ptr<signal_detail::SlotsBase> table, std::uint64_t id)
      : slots_(std::move(table)), id_(id) {}
  Connection(Connection&& other) noexcept
      : slots_(std::move(other.slots_)), id_(std::exchange(other.id_, 0)) {}
  Connection& operator=(Connection&& other) noexcept {
    if (this != &other) {
      disconnect();
      slots_ = std::move(other.slots_);
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { disconnect(); }

  void disconnect() {
    if (const auto table = slots_.lock(); table && id_ != 0) table->drop(id_);
    slots_.reset();
    id_ = 0;
  }
  bool connected() const { return id_ != 0 && !slots_.expired(); }

 private:
  std::weak_ptr<signal_detail::SlotsBase> slots_;
  std::uint64_t id_{};
};

// A hook of the run that any number of parts follow, each on its own: the time account, the
// stock, the headless trace. Slots are called in the order they were connected; a slot
// connected while the signal is being sent is first called at the next sending, a slot
// disconnected is not called any more (also when that happens while sending).
template <typename... Args>
class Signal {
  struct Slot {
    std::uint64_t id;
    std::function<void(Args...)> call;
    bool alive = true;  // false once disconnected; the slot may still be running
  };
  struct Slots : signal_detail::SlotsBase {
    std::deque<Slot> list;  // a slot stays in place while others are connected
    std::uint64_t nextId = 1;
    int sending{};
    bool dropped{};  // slots were disconnected while sending

    void drop(std::uint64_t id) override {
      for (Slot& slot : list) {
        if (slot.id == id) slot.alive = false;
      }
      if (sending > 0) {
        dropped = true;
      } else {
        compact();
      }
    }
    void compact() {
      std::erase_if(list, [](const Slot& slot) { return !slot.alive; });
      dropped = false;
    }
  };

 public:
  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  Connection connect(std::function<void(Args...)> call) {
    const std::uint64_t id = slots_->nextId++;
    slots_->list.push_back({id, std::move(call)});
    return Connection(slots_, id);
  }

  bool empty() const {
    for (const Slot& slot : slots_->list) {
      if (slot.alive) return false;
    }
    return true;
  }

  void operator()(Args... args) const {
    Slots& table = *slots_;
    if (table.list.empty()) return;
    // Also when a slot throws (a run that ends inside a wait).
    struct Sending {
      Slots& table;
      explicit Sending(Slots& s) : table(s) { ++table.sending; }
      ~Sending() {
        if (--table.sending == 0 && table.dropped) table.compact();
      }
    } sending(table);
    // Slots connected while sending are not called this time.
    const std::size_t count = table.list.size();
    for (std::size_t i = 0; i < count; ++i) {
      const Slot& slot = table.list[i];
      if (slot.alive && slot.call) slot.call(args...);
    }
  }

 private:
  std::shared_ptr<Slots> slots_ = std::make_shared<Slots>();
};

}  // namespace draivo
