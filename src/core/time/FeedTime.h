#pragma once

#include "motion/MovePath.h"
#include "motion/ToolFollower.h"
#include "time/TimeAccount.h"

namespace draivo {

// The modal feed: F per minute (G98) or per revolution (G99; always for threads).
struct FeedRate {
  bool perRevolution{};
  double feed{};
};

struct FeedTime {
  double minutes{};
  unsigned unknown{};  // UnknownFeed bits; minutes is 0 then
};

// The time of a feed move along `path`. Under constant surface speed the spindle speed
// follows the diameter, speed = surface speed / (pi x diameter) capped by the G50 limit, so
// the time is integrated along the path: exactly along a line, in short steps along an arc.
FeedTime feedTime(const MovePath& path, FeedRate rate, const Spindle& spindle, LengthUnit unit);

}  // namespace draivo
