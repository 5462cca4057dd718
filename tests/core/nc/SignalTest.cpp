#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "nc/Signal.h"

namespace draivo {
namespace {

// Every follower of a hook hears it in the order it connected; one that others let in while
// the hook is being sent hears it from the next sending, one they let go hears no more.
TEST(Signal, FollowersComeAndGoBetweenSendings) {
  Signal<const std::string&> hook;
  std::string heard;
  Connection late, second;
  Connection first = hook.connect([&](const std::string& text) {
    heard += "1" + text;
    if (text == "b") late = hook.connect([&](const std::string& t) { heard += "3" + t; });
    if (text == "c") second.disconnect();
  });
  second = hook.connect([&](const std::string& text) { heard += "2" + text; });
  EXPECT_FALSE(hook.empty());
  hook("a");
  hook("b");  // the follower connected now hears the next one
  hook("c");  // the second one goes before it hears this
  hook("d");
  EXPECT_EQ(heard, "1a2a1b2b1c3c1d3d");
  EXPECT_FALSE(second.connected());
  first.disconnect();
  late = Connection();
  EXPECT_TRUE(hook.empty());
  hook("e");
  EXPECT_EQ(heard, "1a2a1b2b1c3c1d3d");
}

// A follower that leaves and sends the hook again from its own call: the inner sending
// reaches the others, and the outer one still reaches them after it.
TEST(Signal, AHookSentAgainFromAFollowerReachesTheOthersTwice) {
  Signal<int> hook;
  std::string heard;
  Connection first;
  first = hook.connect([&](int depth) {
    heard += "1";
    first.disconnect();
    if (depth == 0) hook(1);
  });
  const Connection second = hook.connect([&](int depth) { heard += "2" + std::to_string(depth); });
  const Connection third = hook.connect([&](int depth) { heard += "3" + std::to_string(depth); });
  hook(0);
  EXPECT_EQ(heard, "121312030");
}

// A follower may leave from inside its own call, and a connection may outlive its hook.
TEST(Signal, AFollowerLeavesFromItsOwnCallAndOutlivesTheHook) {
  int calls = 0;
  Connection outliving;
  {
    auto hook = std::make_unique<Signal<>>();
    Connection self;
    self = hook->connect([&] {
      ++calls;
      self.disconnect();
    });
    outliving = hook->connect([&] { ++calls; });
    (*hook)();
    (*hook)();
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(outliving.connected());
  }
  EXPECT_FALSE(outliving.connected());
  outliving.disconnect();  // nothing left to leave
}

// A follower that throws (a run ended inside a wait) leaves the hook as it was.
TEST(Signal, AThrowingFollowerLeavesTheHookWhole) {
  Signal<int> hook;
  std::vector<int> heard;
  Connection leaving;
  const Connection thrower = hook.connect([&](int n) {
    leaving.disconnect();
    if (n == 1) throw n;
  });
  leaving = hook.connect([&](int n) { heard.push_back(n); });
  const Connection staying = hook.connect([&](int n) { heard.push_back(10 * n); });
  EXPECT_THROW(hook(1), int);
  hook(2);
  EXPECT_EQ(heard, std::vector<int>{20});
}

}  // namespace
}  // namespace draivo
