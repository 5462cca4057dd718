#include "render/ViewState.h"

#include <algorithm>

#include "nc/NumberFormat.h"
#include "render/Surface.h"

namespace draivo {
namespace {

constexpr double zoomDivisor = 10;
constexpr int speedLabelStep = 5;
constexpr double homeZ = 250;
constexpr double homeX = 250;
constexpr int axisTop = 10;
constexpr int arrowLength = 10;
constexpr int arrowHalfWidth = 4;

// The axis cross: the dash-dot centre line, the X axis, both arrow heads and the Z stubs.
void drawAxes(Surface& picture, int oz, int ox) {
  picture.drawStyle = LineStyle::DashDot;
  picture.line(10, ox, oz + 10, ox);
  picture.drawStyle = LineStyle::Solid;
  picture.line(oz, axisTop, oz, ox + 10);
  for (int i = 0; i <= arrowHalfWidth; ++i) {
    picture.line(oz, axisTop, oz - i, axisTop + arrowLength);
    picture.line(oz, axisTop, oz + i, axisTop + arrowLength);
    picture.line(oz + 33, ox, oz + 23, ox - i);
    picture.line(oz + 33, ox, oz + 23, ox + i);
  }
  picture.line(oz + 11, ox, oz + 14, ox);
  picture.line(oz + 17, ox, oz + 25, ox);
}

// The letters X and Z beside the arrow heads, drawn with a pen two pixels wide.
void drawAxisLetters(Surface& picture, int oz, int ox) {
  picture.drawWidth = 2;
  picture.line(oz + 10, 11, oz + 16, 19);
  picture.line(oz + 16, 11, oz + 10, 19);
  picture.line(oz + 25, ox + 10, oz + 31, ox + 10);
  picture.line(oz + 31, ox + 10, oz + 25, ox + 18);
  picture.line(oz + 25, ox + 18, oz + 31, ox + 18);
  picture.drawWidth = 1;
}

}  // namespace

void ViewState::setZoomValue(int value) {
  zoomValue = std::clamp(value, ZoomValueMin, ZoomValueMax);
  ZoomFactor = zoomValue / zoomDivisor;
}

std::string ViewState::zoomLabel() const {
  return " " + formatGeneral(zoomValue / zoomDivisor);
}

void ViewState::setSpeedValue(int value) {
  speedValue = std::clamp(value, SpeedValueRight, SpeedValueLeft);
  DrawDelay = speedValue;
}

std::string ViewState::speedLabel() const {
  return std::to_string((SpeedValueLeft - speedValue) * speedLabelStep);
}

void ResetView(Surface& picture, ViewState& view) {
  picture.clear();
  picture.foreColour = Blue;
  drawAxes(picture, view.ViewOriginZ, view.ViewOriginX);
  drawAxisLetters(picture, view.ViewOriginZ, view.ViewOriginX);
  view.ToolColourIndex = 0;
  view.CurrentPointZ = view.ZoomFactor * homeZ + view.ViewOriginZ;
  view.CurrentPointX = view.ViewOriginX - view.ZoomFactor * (homeX / 2);
  view.TargetPointZ = view.ViewOriginZ;
  view.TargetPointX = view.ViewOriginX;
}

}  // namespace draivo
