#pragma once

#include <string>
#include <utility>

#include "render/DrawHooks.h"
#include "render/Geometry.h"

namespace draivo {

class Surface;
struct ViewState;

// Turns the motion of one elementary block into drawing and moves the pen.
class PathDrawer {
 public:
  PathDrawer(ViewState& view, DrawHooks hooks) : view_(view), hooks_(std::move(hooks)) {}

  // Draws the move of `block` on `picture` (the block may be rewritten: incremental words of
  // a circular move become absolute ones). The picture's line style is set by the caller.
  void DrawMove(std::string& block, bool arcMove, Surface& picture, bool instantDraw);

  bool RapidMode{};
  ArcResults arc;

  const DrawHooks& hooks() const { return hooks_; }
  void setHooks(DrawHooks hooks) { hooks_ = std::move(hooks); }

 private:
  void drawStraight(const std::string& block, Surface& picture, bool instantDraw);
  void drawCircular(std::string& block, Surface& picture, bool instantDraw);
  // Rewrites the incremental words U and W of a circular block as absolute X and Z words.
  void makeAbsolute(std::string& block) const;
  // Sets the arc centre of the radius form on the side the direction asks for.
  void placeCentre(bool clockwise, double radius);

  ViewState& view_;
  DrawHooks hooks_;
};

}  // namespace draivo
