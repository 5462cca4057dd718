#pragma once

#include <string>

#include "render/Colour.h"

namespace draivo {

class Surface;

// The view and pen state shared by everything that draws or maps program coordinates.
struct ViewState {
  static constexpr int ZoomValueMin = 10, ZoomValueMax = 200, ZoomValueStart = 34;
  static constexpr int SpeedValueLeft = 20, SpeedValueRight = 0, SpeedValueStart = 0;

  static constexpr int ViewOriginZStart = 660, ViewOriginXStart = 340;  // the program zero

  int ViewOriginZ = ViewOriginZStart;
  int ViewOriginX = ViewOriginXStart;
  double ZoomFactor = 3.4;
  int DrawDelay{};
  double CurrentPointZ{}, CurrentPointX{};
  double TargetPointZ{}, TargetPointX{};
  Colour PenColour = Black;
  int ToolColourIndex{};

  int zoomValue = ZoomValueStart;
  int speedValue = SpeedValueStart;

  // The zoom scroll bar: ZoomFactor = value / 10, label " 3.4".
  void setZoomValue(int value);
  std::string zoomLabel() const;
  // The speed scroll bar: DrawDelay = value, label (20 - value) * 5 ("100" at the right).
  void setSpeedValue(int value);
  std::string speedLabel() const;

  // Machine to picture mapping (X is a diameter).
  double columnOf(double z) const { return ViewOriginZ + z * ZoomFactor; }
  double rowOf(double x) const { return ViewOriginX - (x / 2) * ZoomFactor; }
  double zOf(double column) const { return (column - ViewOriginZ) / ZoomFactor; }
  double xOf(double row) const { return 2 * (ViewOriginX - row) / ZoomFactor; }
};

// Clears the picture and draws the axis cross; puts the pen at the home point.
void ResetView(Surface& picture, ViewState& view);

}  // namespace draivo
