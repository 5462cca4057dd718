#include "motion/ToolFollower.h"

#include "nc/BlockText.h"

namespace draivo {
namespace {

bool has(const std::string& block, char letter) {
  return findLetter(block, letter) != 0;
}

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
  if (contains(block, "(") || contains(block, ":")) return step;  // comments and program numbers
  step.codes = BlockCodes(block);
  applyModal(block, step.codes);
  step.kind = ToolStep::Kind::Modal;
  if (contains(block, "M00") || contains(block, "G10")) return step;
  if (contains(block, "G04")) {
    step.kind = ToolStep::Kind::Dwell;
    return step;
  }
  move(block, step);
  return step;
}

void ToolFollower::applyModal(const std::string& block, const BlockCodes& codes) {
  if (codes.g[20]) {
    unit_ = LengthUnit::Inch;
  } else if (codes.g[21]) {
    unit_ = LengthUnit::Millimetre;
  }
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

void ToolFollower::applySpindle(const std::string& block, const BlockCodes& codes) {
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

void ToolFollower::move(const std::string& block, ToolStep& step) {
  const bool hasX = has(block, 'X'), hasZ = has(block, 'Z');
  const bool hasU = has(block, 'U'), hasW = has(block, 'W');
  if (!hasX && !hasZ && !hasU && !hasW) return;
  const BlockCodes& codes = step.codes;
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
  step.path = step.rapid ? MovePath::line(step.from, to) : feedPath(block, codes, step.from, to);
}

// A G02 or G03 block is an arc, by its radius R or by its centre offsets I (a radius) and K;
// every other feed move is a straight line.
MovePath ToolFollower::feedPath(const std::string& block, const BlockCodes& codes,
                                PathPoint from, PathPoint to) {
  const bool clockwise = codes.g[2];
  if (!clockwise && !codes.g[3]) return MovePath::line(from, to);
  if (has(block, 'R')) return MovePath::arcByRadius(from, to, wordValue(block, 'R'), clockwise);
  const PathPoint centre{from.z + wordValue(block, 'K'), from.r + wordValue(block, 'I')};
  return MovePath::arcByCentre(from, to, centre, clockwise);
}

}  // namespace draivo
