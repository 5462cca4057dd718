#pragma once

#include <string>

#include "render/Colour.h"
#include "render/DrawHooks.h"

namespace draivo {

class Surface;

// Draws a straight line pixel by pixel in `colour`, with a refresh and a pause of
// `delay` ms after every pixel. The four coordinates are rounded in place. Pixels off the
// picture are skipped without a refresh or pause, so the work is bounded by the picture size.
void LineByPixel(Surface& picture, const DrawHooks& hooks, Colour colour, int delay, double& z1,
                 double& x1, double& z2, double& x2);

// Draws an arc one degree at a time around (cz, cx) with radius r, from the start angle text
// to the end angle text (rewritten when unwrapped), clockwise on the screen when asked.
// At most one turn (361 degrees) is drawn, whatever the angle texts say.
void ArcByPixel(Surface& picture, const DrawHooks& hooks, int delay, double cz, double cx,
                double r, bool clockwise, Colour colour, std::string& startAngle,
                std::string& endAngle);

}  // namespace draivo
