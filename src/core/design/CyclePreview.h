#pragma once

#include <vector>

#include "design/CycleBlocks.h"
#include "render/Colour.h"
#include "render/Surface.h"

namespace draivo {

// One straight tool move of the preview, in program coordinates (X as a diameter).
struct PreviewMove {
  double z1, x1, z2, x2;
  bool rapid;
};

// The moves the inserted cycle makes when it runs: a rapid approach to the start position
// (drawn from a point up and to the right of it, standing for wherever the tool was), four
// moves for the first and every further cut, and the return to the start position. Empty
// when the cuts are refused.
std::vector<PreviewMove> CyclePreviewMoves(const CycleFields& fields);

// Where program coordinates land in a picture: scaled alike on both axes so that every
// move fits inside the margin, centred, Z to the right and the radius (X / 2) upwards.
class PreviewFrame {
 public:
  static constexpr int Margin = 6;

  PreviewFrame(const std::vector<PreviewMove>& moves, int width, int height);

  double column(double z) const { return left_ + (z - minZ_) * scale_; }
  double row(double x) const { return bottom_ - (x / 2.0 - minR_) * scale_; }
  bool holdsAxis() const { return minR_ <= 0.0 && maxR_ >= 0.0; }

 private:
  double minZ_{}, minR_{}, maxR_{};
  double scale_ = 1, left_{}, bottom_{};
};

inline constexpr Colour PreviewBackground = White;
inline constexpr Colour PreviewAxisColour = rgb(128, 128, 128);
inline constexpr Colour PreviewRapidColour = Blue;
inline constexpr Colour PreviewFeedColour = rgb(192, 0, 0);

// Clears the surface and draws the moves: the centre line dash-dotted when it is in view,
// rapid moves dotted, feed moves solid.
void DrawCyclePreview(Surface& surface, const std::vector<PreviewMove>& moves);

}  // namespace draivo
