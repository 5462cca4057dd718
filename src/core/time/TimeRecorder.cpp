#include "time/TimeRecorder.h"

#include "nc/BlockText.h"
#include "nc/NumberFormat.h"

namespace draivo {
namespace {

constexpr double MillisecondsPerMinute = 60000;

}  // namespace

void TimeRecorder::reset() {
  account_ = {};
  tool_.reset();
  rate_ = {.perRevolution = true, .feed = 0};  // a lathe starts in G99, feed per revolution
  endCycle();
}

void TimeRecorder::beginCycle(const CycleFeed& cycle) {
  inCycle_ = true;
  cycleThreading_ = cycle.threading;
  if (cycle.hasFeed) rate_.feed = cycle.feed;
}

void TimeRecorder::endCycle() {
  inCycle_ = false;
  cycleThreading_ = false;
}

void TimeRecorder::execute(const std::string& block) {
  const ToolStep step = tool_.execute(block);
  if (step.kind == ToolStep::Kind::Skipped) return;
  account_.unit = tool_.unit();
  applyFeed(block, step.codes);
  if (step.kind == ToolStep::Kind::Dwell) dwell(block);
  if (step.kind == ToolStep::Kind::Moved) move(step);
}

void TimeRecorder::applyFeed(const std::string& block, const BlockCodes& codes) {
  if (codes.g[98]) {
    rate_.perRevolution = false;
  } else if (codes.g[99]) {
    rate_.perRevolution = true;
  }
  // Inside a cycle the feed is the cycle's own; the F words of its contour blocks are not.
  if (!inCycle_ && findLetter(block, 'F') != 0) rate_.feed = wordValue(block, 'F');
}

void TimeRecorder::dwell(const std::string& block) {
  // U in milliseconds, to the whole millisecond, as the block executor waits.
  const double milliseconds = roundToEven(wordValue(block, 'U'));
  if (milliseconds > 0) toolTotals().dwellMinutes += milliseconds / MillisecondsPerMinute;
}

void TimeRecorder::move(const ToolStep& step) {
  TimeTotals& totals = toolTotals();
  const LengthUnit unit = tool_.unit();
  if (step.rapid) {
    const RapidTravel rapid = rapidTravel(step.from, step.to);
    totals.rapidLength += rapid.length;
    (unit == LengthUnit::Inch ? totals.rapidTravelInch : totals.rapidTravelMm) += rapid.travel;
    return;
  }
  const bool perRevolution = rate_.perRevolution || step.thread || cycleThreading_;
  const FeedTime time = feedTime(step.path, {perRevolution, rate_.feed}, tool_.spindle(), unit);
  totals.feedLength += step.path.length();
  totals.feedMinutes += time.minutes;
  totals.unknownFeed |= time.unknown;
}

}  // namespace draivo
