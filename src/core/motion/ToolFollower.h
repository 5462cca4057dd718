#pragma once

#include <string>
#include <string_view>

#include "motion/BlockCodes.h"
#include "motion/LengthUnit.h"
#include "motion/MovePath.h"

namespace draivo {

class BlockScan;

// The spindle as the program has set it. Speeds of 0 were not given.
struct Spindle {
  bool running{};          // M03 or M04 since the last M05
  bool constantSurface{};  // G96: the speed follows the diameter
  double revolutions{};    // G97 S, per minute
  double surfaceSpeed{};   // G96 S, m/min (ft/min in inches)
  double limit{};          // G50 S, per minute; 0 = none
};

// What one executed block did with the tool.
struct ToolStep {
  enum class Kind {
    Skipped,  // a comment or a program-number line: nothing is read from it
    Modal,    // words only (also M00, G10, a block without X, Z, U or W): the tool stays
    Dwell,    // G04
    Placed,   // the tool is said to stand elsewhere (G50 X Z) or stays where it is: no travel
    Moved,    // the tool travelled from `from` to `to`
  };
  Kind kind = Kind::Skipped;
  BlockCodes codes;
  PathPoint from, to;
  bool rapid{};     // rapid traverse: G00 (modal) or G28
  bool thread{};    // G32 (modal)
  bool bothAxes{};  // the block names X and Z (the view draws a 45 degree leg for it)
  MovePath path;  // of a feed move: the line or the arc; of a rapid move: the straight line
};

// Follows the tool through the executed blocks of a run in the program's unit, independent of
// the view: its position, the modal motion, the unit, the spindle and the tool. The machining
// time and the stock follow the tool through it, so the two agree about where it went.
class ToolFollower {
 public:
  // Where the tool stands after a reset of the view, before any program: X250 Z250.
  static constexpr double HomeX = 250, HomeZ = 250;

  ToolFollower() { reset(); }

  // A new run: the tool at the home point, the modal state as after switching on.
  void reset();
  // One block as it is handed to the block executor.
  ToolStep execute(const std::string& block);
  // The program states where the tool stands (X a diameter); nothing travels.
  void setPosition(double x, double z);

  PathPoint position() const { return position_; }
  LengthUnit unit() const { return unit_; }
  const Spindle& spindle() const { return spindle_; }
  // The T word that selected the tool ("T0101"); "" before any.
  const std::string& tool() const { return tool_; }

 private:
  enum class Motion { Rapid, Line, Thread };

  void applyModal(const BlockScan& scan, const BlockCodes& codes);
  void applySpindle(const BlockScan& scan, const BlockCodes& codes);
  void move(const BlockScan& scan, ToolStep& step);
  static MovePath feedPath(const BlockScan& scan, const BlockCodes& codes, PathPoint from,
                           PathPoint to);

  PathPoint position_;
  LengthUnit unit_ = LengthUnit::Millimetre;
  std::string tool_;
  Motion motion_ = Motion::Line;
  Spindle spindle_;
};

// ":7..." as the first line of the main program puts the tool on the program zero.
bool SetsProgramZero(std::string_view block, int listIndex, int subprogramLevel);

}  // namespace draivo
