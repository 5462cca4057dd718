#pragma once

#include "time/MovePath.h"
#include "time/TimeAccount.h"

namespace draivo {

// The modal feed: F per minute (G98) or per revolution (G99; always for threads).
struct FeedRate {
  bool perRevolution = false;
  double feed = 0;
};

// The spindle as the program has set it. Speeds of 0 were not given.
struct Spindle {
  bool running = false;          // M03 or M04 since the last M05
  bool constantSurface = false;  // G96: the speed follows the diameter
  double revolutions = 0;        // G97 S, per minute
  double surfaceSpeed = 0;       // G96 S, m/min (ft/min in inches)
  double limit = 0;              // G50 S, per minute; 0 = none
};

struct FeedTime {
  double minutes = 0;
  unsigned unknown = 0;  // UnknownFeed bits; minutes is 0 then
};

// The time of a feed move along `path`. Under constant surface speed the spindle speed
// follows the diameter, speed = surface speed / (pi x diameter) capped by the G50 limit, so
// the time is integrated along the path: exactly along a line, in short steps along an arc.
FeedTime feedTime(const MovePath& path, FeedRate rate, const Spindle& spindle, LengthUnit unit);

}  // namespace draivo
