#pragma once

#include <string>

#include "time/FeedTime.h"
#include "time/MovePath.h"
#include "time/TimeAccount.h"

namespace draivo {

struct BlockCodes;

// What a canned cycle sets for the moves it makes: its own F word (the lead of a thread)
// is the feed of all of them, and thread passes feed per revolution.
struct CycleFeed {
  bool hasFeed = false;
  double feed = 0;
  bool threading = false;
};

// Follows the tool through the executed blocks of a run, in the program's unit and
// independent of the view, and adds up the time and travel of its moves per tool.
class TimeRecorder {
 public:
  // Where the tool stands after a reset of the view, before any program: X250 Z250.
  static constexpr double HomeX = 250, HomeZ = 250;

  TimeRecorder() { reset(); }

  // A new run: the tool at the home point, the modal state as after switching on.
  void reset();
  // One block as it is handed to the block executor.
  void execute(const std::string& block);
  // The program states where the tool stands (X a diameter); nothing travels.
  void setPosition(double x, double z);
  // The moves that follow belong to a canned cycle, up to endCycle.
  void beginCycle(const CycleFeed& cycle);
  void endCycle();

  const TimeAccount& account() const { return account_; }

 private:
  enum class Motion { Rapid, Line, Thread };

  void applyModal(const std::string& block, const BlockCodes& codes);
  void applySpindle(const std::string& block, const BlockCodes& codes);
  void dwell(const std::string& block);
  void move(const std::string& block, const BlockCodes& codes);
  MovePath feedPath(const std::string& block, const BlockCodes& codes, PathPoint to) const;
  TimeTotals& toolTotals() { return account_.of(tool_); }

  TimeAccount account_;
  PathPoint position_;
  std::string tool_;
  Motion motion_ = Motion::Line;
  FeedRate rate_;
  Spindle spindle_;
  bool inCycle_ = false;
  bool cycleThreading_ = false;
};

}  // namespace draivo
