#include "time/TimeRecorder.h"

#include <bitset>

#include "nc/BlockText.h"
#include "nc/NumberFormat.h"

namespace draivo {
namespace {

constexpr double MillisecondsPerMinute = 60000;
constexpr int CodeCount = 100;  // G and M codes of up to two digits

bool has(const std::string& block, char letter) {
  return findLetter(block, letter) != 0;
}

}  // namespace

// The G and M codes of a block, whatever their spelling (G0, G00).
struct BlockCodes {
  explicit BlockCodes(const std::string& block) {
    for (std::size_t at = 0; at < block.size(); ++at) {
      if (block[at] != 'G' && block[at] != 'M') continue;
      const WordRead word = readWord(block, at + 1);
      if (!word.valid || !(word.value >= 0 && word.value < CodeCount)) continue;
      if (word.value != static_cast<int>(word.value)) continue;
      (block[at] == 'G' ? g : m).set(static_cast<std::size_t>(word.value));
    }
  }
  std::bitset<CodeCount> g, m;
};

void TimeRecorder::reset() {
  account_ = {};
  position_ = {HomeZ, HomeX / 2};
  tool_.clear();
  motion_ = Motion::Line;
  rate_ = {.perRevolution = true, .feed = 0};  // a lathe starts in G99, feed per revolution
  spindle_ = {};
  endCycle();
}

void TimeRecorder::setPosition(double x, double z) {
  position_ = {z, x / 2};
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

// The executor's order: modal words first, then a stop, a zero-point message, a dwell or a move.
void TimeRecorder::execute(const std::string& block) {
  if (contains(block, "(") || contains(block, ":")) return;  // comments and program numbers
  const BlockCodes codes(block);
  applyModal(block, codes);
  if (contains(block, "M00") || contains(block, "G10")) return;
  if (contains(block, "G04")) {
    dwell(block);
    return;
  }
  move(block, codes);
}

void TimeRecorder::applyModal(const std::string& block, const BlockCodes& codes) {
  if (codes.g[20]) {
    account_.unit = LengthUnit::Inch;
  } else if (codes.g[21]) {
    account_.unit = LengthUnit::Millimetre;
  }
  if (codes.g[98]) {
    rate_.perRevolution = false;
  } else if (codes.g[99]) {
    rate_.perRevolution = true;
  }
  // Inside a cycle the feed is the cycle's own; the F words of its contour blocks are not.
  if (!inCycle_ && has(block, 'F')) rate_.feed = wordValue(block, 'F');
  applySpindle(block, codes);
  if (contains(block, "T") && !contains(block, "G0")) {
    tool_ = "T" + readWord(block, findLetter(block, 'T')).text;
  }
  if (codes.g[32]) {
    motion_ = Motion::Thread;
  } else if (codes.g[0]) {
    motion_ = Motion::Rapid;
  } else if (codes.g[1] || codes.g[2] || codes.g[3]) {
    motion_ = Motion::Line;
  }
}

void TimeRecorder::applySpindle(const std::string& block, const BlockCodes& codes) {
  const bool hasS = has(block, 'S');
  if (codes.g[50]) {
    if (hasS) spindle_.limit = wordValue(block, 'S');
  } else {
    if (codes.g[96]) {
      spindle_.constantSurface = true;
    } else if (codes.g[97]) {
      spindle_.constantSurface = false;
    }
    if (hasS) {
      (spindle_.constantSurface ? spindle_.surfaceSpeed : spindle_.revolutions) =
          wordValue(block, 'S');
    }
  }
  if (codes.m[3] || codes.m[4]) {
    spindle_.running = true;
  } else if (codes.m[5]) {
    spindle_.running = false;
  }
}

void TimeRecorder::dwell(const std::string& block) {
  // U in milliseconds, to the whole millisecond, as the block executor waits.
  const double milliseconds = roundToEven(wordValue(block, 'U'));
  if (milliseconds > 0) toolTotals().dwellMinutes += milliseconds / MillisecondsPerMinute;
}

void TimeRecorder::move(const std::string& block, const BlockCodes& codes) {
  const bool hasX = has(block, 'X'), hasZ = has(block, 'Z');
  const bool hasU = has(block, 'U'), hasW = has(block, 'W');
  if (!hasX && !hasZ && !hasU && !hasW) return;
  PathPoint to = position_;
  if (hasZ) {
    to.z = wordValue(block, 'Z');
  } else if (hasW) {
    to.z += wordValue(block, 'W');
  }
  if (hasX) {
    to.r = wordValue(block, 'X') / 2;
  } else if (hasU) {
    to.r += wordValue(block, 'U') / 2;
  }
  const bool setsCoordinates = codes.g[50];
  // An arc back to its start is a full circle; any other move to where the tool is, none.
  const bool stays = to.z == position_.z && to.r == position_.r && !codes.g[2] && !codes.g[3];
  if (setsCoordinates || stays) {
    position_ = to;
    return;
  }

  TimeTotals& totals = toolTotals();
  if (motion_ == Motion::Rapid || codes.g[28]) {
    const RapidTravel rapid = rapidTravel(position_, to);
    totals.rapidLength += rapid.length;
    (account_.unit == LengthUnit::Inch ? totals.rapidTravelInch : totals.rapidTravelMm) +=
        rapid.travel;
  } else {
    const MovePath path = feedPath(block, codes, to);
    const bool perRevolution = rate_.perRevolution || motion_ == Motion::Thread || cycleThreading_;
    const FeedTime time = feedTime(path, {perRevolution, rate_.feed}, spindle_, account_.unit);
    totals.feedLength += path.length();
    totals.feedMinutes += time.minutes;
    totals.unknownFeed |= time.unknown;
  }
  position_ = to;
}

// A G02 or G03 block is an arc, by its radius R or by its centre offsets I (a radius) and K;
// every other feed move is a straight line.
MovePath TimeRecorder::feedPath(const std::string& block, const BlockCodes& codes,
                                PathPoint to) const {
  const bool clockwise = codes.g[2];
  if (!clockwise && !codes.g[3]) return MovePath::line(position_, to);
  if (has(block, 'R'))
    return MovePath::arcByRadius(position_, to, wordValue(block, 'R'), clockwise);
  const PathPoint centre{position_.z + wordValue(block, 'K'), position_.r + wordValue(block, 'I')};
  return MovePath::arcByCentre(position_, to, centre, clockwise);
}

}  // namespace draivo
