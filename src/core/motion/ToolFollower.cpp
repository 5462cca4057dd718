#include "motion/ToolFollower.h"

#include "motion/BlockScan.h"
#include "nc/BlockText.h"

namespace draivo {
namespace {

}  // namespace

bool SetsProgramZero(std::string_view block, int listIndex, int subprogramLevel) {
  const auto colon = block.find(':');
  return colon != std::string_view::npos && colon + 1 < block.size() && block[colon + 1] == '7' &&
         listIndex == 0 && subprogramLevel == 1;
}

void ToolFollower::reset() {
  position_ = {HomeZ, HomeX / 2};
  unit_ = LengthUnit::Millimetre;
  tool_.clear();
  motion_ = Motion::Line;
  spindle_ = {};
}

void ToolFollower::setPosition(double x, double z) {
  position_ = {z, x / 2};
}

// The executor's order: modal words first, then a stop, a zero-point message, a dwell or a move.
ToolStep ToolFollower::execute(const std::string& block) {
  ToolStep step;
  const BlockScan scan(block);
  if (scan.has('(') || scan.has(':')) return step;  // comments and program numbers
  step.codes = BlockCodes(block);
  applyModal(scan, step.codes);
  step.kind = ToolStep::Kind::Modal;
  if (scan.contains("M00") || scan.contains("G10")) return step;
  if (scan.contains("G04")) {
    step.kind = ToolStep::Kind::Dwell;
    return step;
  }
  move(scan, step);
  return step;
}

void ToolFollower::applyModal(const BlockScan& scan, const BlockCodes& codes) {
  if (codes.g[20]) {
    unit_ = LengthUnit::Inch;
  } else if (codes.g[21]) {
    unit_ = LengthUnit::Millimetre;
  }
  applySpindle(scan, codes);
  if (scan.has('T') && !scan.contains("G0")) {
    tool_ = "T" + readWord(scan.block(), scan.first('T')).text;
  }
  if (codes.g[32]) {
    motion_ = Motion::Thread;
  } else if (codes.g[0]) {
    motion_ = Motion::Rapid;
  } else if (codes.g[1] || codes.g[2] || codes.g[3]) {
    motion_ = Motion::Line;
  }
}

void ToolFollower::applySpindle(const BlockScan& scan, const BlockCodes& codes) {
  const bool hasS = scan.has('S');
  if (codes.g[50]) {
    if (hasS) spindle_.limit = scan.value('S');
  } else {
    if (codes.g[96]) {
      spindle_.constantSurface = true;
    } else if (codes.g[97]) {
      spindle_.constantSurface = false;
    }
    if (hasS) {
      (spindle_.constantSurface ? spindle_.surfaceSpeed : spindle_.revolutions) =
          scan.value('S');
    }
  }
  if (codes.m[3] || codes.m[4]) {
    spindle_.running = true;
  } else if (codes.m[5]) {
    spindle_.running = false;
  }
}

void ToolFollower::move(const BlockScan& scan, ToolStep& step) {
  const bool hasX = scan.has('X'), hasZ = scan.has('Z');
  const bool hasU = scan.has('U'), hasW = scan.has('W');
  if (!hasX && !hasZ && !hasU && !hasW) return;
  const BlockCodes& codes = step.codes;
  PathPoint to = position_;
  if (hasZ) {
    to.z = scan.value('Z');
  } else if (hasW) {
    to.z += scan.value('W');
  }
  if (hasX) {
    to.r = scan.value('X') / 2;
  } else if (hasU) {
    to.r += scan.value('U') / 2;
  }
  step.from = position_;
  step.to = to;
  position_ = to;
  const bool setsCoordinates = codes.g[50];
  // An arc back to its start is a full circle; any other move to where the tool is, none.
  const bool stays = to == step.from && !codes.g[2] && !codes.g[3];
  if (setsCoordinates || stays) {
    step.kind = ToolStep::Kind::Placed;
    return;
  }
  step.kind = ToolStep::Kind::Moved;
  step.rapid = motion_ == Motion::Rapid || codes.g[28];
  step.thread = motion_ == Motion::Thread;
  step.bothAxes = hasX && hasZ;
  step.path = step.rapid ? MovePath::line(step.from, to) : feedPath(scan, codes, step.from, to);
}

// A G02 or G03 block is an arc, by its radius R or by its centre offsets I (a radius) and K;
// every other feed move is a straight line.
MovePath ToolFollower::feedPath(const BlockScan& scan, const BlockCodes& codes, PathPoint from,
                                PathPoint to) {
  const bool clockwise = codes.g[2];
  if (!clockwise && !codes.g[3]) return MovePath::line(from, to);
  if (scan.has('R')) return MovePath::arcByRadius(from, to, scan.value('R'), clockwise);
  const PathPoint centre{from.z + scan.value('K'), from.r + scan.value('I')};
  return MovePath::arcByCentre(from, to, centre, clockwise);
}

}  // namespace draivo
