#include "render/PathDrawing.h"

#include <cmath>

#include "nc/BlockText.h"
#include "nc/MoveKind.h"
#include "nc/NumberFormat.h"
#include "render/PixelDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

bool has(const std::string& block, char letter) {
  return findLetter(block, letter) != 0;
}

// The word's value multiplied by the zoom factor (0 when the word is absent).
double scaledWord(const std::string& block, char letter, double zoomFactor) {
  return ReadWordValue(block, findLetter(block, letter), zoomFactor);
}

// Replaces the word of `letter` (letter and number) by `replacement`.
void replaceWord(std::string& block, char letter, const std::string& replacement) {
  const std::size_t position = findLetter(block, letter);
  if (position == 0) return;
  const auto length = static_cast<std::size_t>(WordTextLength(block, position)) + 1;
  block.replace(position - 1, length, replacement);
}

// Adds a word before the block's closing ";".
void addWord(std::string& block, const std::string& word) {
  const std::size_t end = block.rfind(';');
  block.insert(end == std::string::npos ? block.size() : end, word);
}

// Distance between the pen and the target along one axis for the 45 degree leg; pen and target
// on the same whole pixel count as no distance.
double legDistance(double current, double target) {
  return std::floor(current) == std::floor(target) ? 0 : std::fabs(target - current);
}

double towards(double current, double target, double distance) {
  return current <= target ? current + distance : current - distance;
}

}  // namespace

void PathDrawer::DrawMove(std::string& block, bool arcMove, Surface& picture, bool instantDraw) {
  RapidMode = RapidModeAfter(block, RapidMode);
  if (arcMove) {
    drawCircular(block, picture, instantDraw);
  } else {
    drawStraight(block, picture, instantDraw);
  }
}

void PathDrawer::drawStraight(const std::string& block, Surface& picture, bool instantDraw) {
  ViewState& v = view_;
  const bool hasX = has(block, 'X'), hasZ = has(block, 'Z');
  const bool hasU = has(block, 'U'), hasW = has(block, 'W');
  if (!hasX && !hasZ && !hasU && !hasW) return;

  if (hasZ) v.TargetPointZ = v.ViewOriginZ + scaledWord(block, 'Z', v.ZoomFactor);
  if (hasX) v.TargetPointX = v.ViewOriginX - scaledWord(block, 'X', v.ZoomFactor) / 2;
  if (!hasX && !hasZ) {
    if (hasW) v.TargetPointZ = v.CurrentPointZ + scaledWord(block, 'W', v.ZoomFactor);
    if (hasU) v.TargetPointX = v.CurrentPointX - scaledWord(block, 'U', v.ZoomFactor) / 2;
  }

  if (hasX && hasZ && RapidMode) {
    // The rapid traverse first runs at 45 degrees until one axis has arrived.
    const double leg = std::floor(std::fmin(legDistance(v.CurrentPointZ, v.TargetPointZ),
                                            legDistance(v.CurrentPointX, v.TargetPointX)));
    const double cornerZ = towards(v.CurrentPointZ, v.TargetPointZ, leg);
    const double cornerX = towards(v.CurrentPointX, v.TargetPointX, leg);
    picture.line(std::floor(v.CurrentPointZ), std::floor(v.CurrentPointX), std::floor(cornerZ),
                 std::floor(cornerX));
    v.CurrentPointZ = cornerZ;
    v.CurrentPointX = cornerX;
  }

  if (instantDraw || picture.drawStyle == LineStyle::Dot) {
    picture.line(v.CurrentPointZ, v.CurrentPointX, v.TargetPointZ, v.TargetPointX);
  } else {
    LineByPixel(picture, hooks_, v.PenColour, v.DrawDelay, v.CurrentPointZ, v.CurrentPointX,
                v.TargetPointZ, v.TargetPointX);
  }
  v.CurrentPointZ = v.TargetPointZ;
  v.CurrentPointX = v.TargetPointX;
  hooks_.doWait(v.DrawDelay);
}

void PathDrawer::makeAbsolute(std::string& block) const {
  const ViewState& v = view_;
  const bool hasU = has(block, 'U'), hasW = has(block, 'W');
  if (!hasU && !hasW) return;
  // A missing incremental word counts as no move on its axis, unless the block names that
  // axis absolutely.
  const double z = wordValue(block, 'W') + (v.CurrentPointZ - v.ViewOriginZ) / v.ZoomFactor;
  const double x = wordValue(block, 'U') + 2 * (v.ViewOriginX - v.CurrentPointX) / v.ZoomFactor;
  const std::string xWord = "X" + formatGeneral(x) + " ";
  const std::string zWord = "Z" + formatGeneral(z) + " ";
  if (hasU) {
    replaceWord(block, 'U', xWord);
  } else if (!has(block, 'X')) {
    addWord(block, xWord);
  }
  if (hasW) {
    replaceWord(block, 'W', zWord);
  } else if (!has(block, 'Z')) {
    addWord(block, zWord);
  }
  block = CleanBlock(block);
}

void PathDrawer::drawCircular(std::string& block, Surface& picture, bool instantDraw) {
  ViewState& v = view_;
  makeAbsolute(block);
  if (!has(block, 'Z') && !has(block, 'X')) return;

  v.TargetPointZ = v.ViewOriginZ + scaledWord(block, 'Z', v.ZoomFactor);
  v.TargetPointX = v.ViewOriginX - scaledWord(block, 'X', v.ZoomFactor) / 2;
  const bool clockwise = contains(block, "G02");
  const bool radiusForm = has(block, 'R');

  double centreZ = 0, centreX = 0, radius = 0;
  if (radiusForm) {
    radius = scaledWord(block, 'R', v.ZoomFactor);
    placeCentre(clockwise, radius);
    centreZ = arc.ArcCentreZ;
    centreX = arc.ArcCentreX;
  } else {
    const double k = scaledWord(block, 'K', v.ZoomFactor);
    const double i = scaledWord(block, 'I', v.ZoomFactor);
    radius = roundToEven(std::sqrt(k * k + i * i));
    centreZ = v.CurrentPointZ + k;
    centreX = v.CurrentPointX - i;  // I is a radius value
    arc.ArcCentreZ = centreZ;
    arc.ArcCentreX = centreX;
  }

  if (instantDraw) {
    const int left = roundPixel(centreZ - radius), top = roundPixel(centreX - radius);
    const int right = roundPixel(centreZ + radius), bottom = roundPixel(centreX + radius);
    const int currentZ = roundPixel(v.CurrentPointZ), currentX = roundPixel(v.CurrentPointX);
    const int targetZ = roundPixel(v.TargetPointZ), targetX = roundPixel(v.TargetPointX);
    // The arc call runs counter-clockwise from its first radial point to its second.
    if (clockwise) {
      picture.arc(left, top, right, bottom, targetZ, targetX, currentZ, currentX);
    } else {
      picture.arc(left, top, right, bottom, currentZ, currentX, targetZ, targetX);
    }
  } else {
    ArcAngles(arc, centreZ, centreX, radius, v.CurrentPointZ, v.CurrentPointX, v.TargetPointZ,
              v.TargetPointX);
    ArcByPixel(picture, hooks_, v.DrawDelay, centreZ, centreX, radius, clockwise, v.PenColour,
               arc.ArcStartAngle, arc.ArcEndAngle);
  }

  v.CurrentPointZ = v.TargetPointZ;
  v.CurrentPointX = v.TargetPointX;
  if (radiusForm) hooks_.doWait(v.DrawDelay);
}

void PathDrawer::placeCentre(bool clockwise, double radius) {
  const ViewState& v = view_;
  auto centre = [&](bool side) {
    ArcCentre(arc, v.CurrentPointZ, v.CurrentPointX, v.TargetPointZ, v.TargetPointX, radius, side);
  };
  if (clockwise) {
    centre(false);
  } else if (v.CurrentPointZ == v.TargetPointZ) {
    // A vertical chord: the centre goes to the side of smaller Z.
    centre(false);
    if (arc.ArcCentreZ > v.CurrentPointZ) centre(true);
  } else if (v.CurrentPointX == v.TargetPointX) {
    // A horizontal chord: the centre goes to the side of the spindle axis.
    centre(false);
    if (arc.ArcCentreX < v.CurrentPointX) centre(true);
  } else {
    centre(true);
  }
}

}  // namespace draivo
