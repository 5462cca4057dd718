#pragma once

#include <string>
#include <vector>

#include "motion/LengthUnit.h"

namespace draivo {


// Why the time of a feed move cannot be known; the bits of TimeTotals::unknownFeed.
enum class UnknownFeed : unsigned {
  NoSpindleSpeed = 1,  // feed per revolution without a spindle speed (no S, or S0)
  SpindleStopped = 2,  // feed per revolution while the spindle stands (never started, or M05)
  NoFeed = 4,          // F0, or no F given
  UnboundedSpeed = 8,  // constant surface speed on the axis without a G50 S limit
  OutOfRange = 16,     // a move too long to measure
};
inline constexpr UnknownFeed AllUnknownFeeds[] = {
    UnknownFeed::NoSpindleSpeed, UnknownFeed::SpindleStopped, UnknownFeed::NoFeed,
    UnknownFeed::UnboundedSpeed, UnknownFeed::OutOfRange};

// Rapid rates in the program's unit per minute when the user sets none.
inline constexpr double DefaultRapidRateMm = 10000;
inline constexpr double DefaultRapidRateInch = 400;

// Times and lengths of the moves of one tool (or of a whole run). Lengths are in the
// program's unit as written and measure the tool's travel, so X (a diameter) counts half.
struct TimeTotals {
  double feedMinutes{};  // of the feed moves whose time is known
  double dwellMinutes{};
  double feedLength{};
  double rapidLength{};
  // Rapid travel of the axis that moves furthest, per unit: the axes traverse at the rapid
  // rate each, so that axis decides the time.
  double rapidTravelMm{};
  double rapidTravelInch{};
  unsigned unknownFeed{};  // UnknownFeed bits of the feed moves whose time is unknown

  bool feedKnown() const { return unknownFeed == 0; }
  // `rapidRate` in the program's unit per minute; 0 takes the default rate of each unit.
  double rapidMinutes(double rapidRate) const;
  void add(const TimeTotals& other);
};

struct ToolTime {
  std::string tool;  // the T word that selected the tool ("T0101"); "" before any tool
  TimeTotals totals;
};

// The machining time of one run, per tool in the order the tools were first used.
struct TimeAccount {
  std::vector<ToolTime> tools;
  LengthUnit unit = LengthUnit::Millimetre;  // the unit in force at the end of the run

  TimeTotals total() const;
  // The totals of the tool, added at the end when the tool has none yet.
  TimeTotals& of(const std::string& tool);
  double defaultRapidRate() const;
};

}  // namespace draivo
