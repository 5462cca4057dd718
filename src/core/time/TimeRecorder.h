#pragma once

#include <string>

#include "motion/ToolFollower.h"
#include "time/FeedTime.h"
#include "time/TimeAccount.h"

namespace draivo {

// What a canned cycle sets for the moves it makes: its own F word (the lead of a thread)
// is the feed of all of them, and thread passes feed per revolution.
struct CycleFeed {
  bool hasFeed{};
  double feed{};
  bool threading{};
};

// Follows the tool through the executed blocks of a run and adds up the time and travel of
// its moves per tool.
class TimeRecorder {
 public:
  TimeRecorder() { reset(); }

  // A new run: the tool at the home point, the modal state as after switching on.
  void reset();
  // One block as it is handed to the block executor.
  void execute(const std::string& block);
  // The program states where the tool stands (X a diameter); nothing travels.
  void setPosition(double x, double z) { tool_.setPosition(x, z); }
  // The moves that follow belong to a canned cycle, up to endCycle.
  void beginCycle(const CycleFeed& cycle);
  void endCycle();

  const TimeAccount& account() const { return account_; }

 private:
  void applyFeed(const std::string& block, const BlockCodes& codes);
  void dwell(const std::string& block);
  void move(const ToolStep& step);
  TimeTotals& toolTotals() { return account_.of(tool_.tool()); }

  TimeAccount account_;
  ToolFollower tool_;
  FeedRate rate_;
  bool inCycle_{};
  bool cycleThreading_{};
};

}  // namespace draivo
