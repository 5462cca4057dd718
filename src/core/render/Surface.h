#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/Colour.h"

namespace draivo {

// Rows and columns of a surface, both ends included; empty when right < left.
struct PixelBox {
  int left{}, top{}, right = -1, bottom = -1;

  bool empty() const { return left > right || top > bottom; }
  bool contains(int column, int row) const {
    return column >= left && column <= right && row >= top && row <= bottom;
  }
};

// Line styles of the pen, numbered as the drawing code names them.
enum class LineStyle { Solid = 0, Dot = 2, DashDot = 3 };

// A 32-bit pixel picture with a persistent image: the stand-in for a picture box and the
// device-context calls made on it. Coordinates are (column, row), (0, 0) at the top left.
class Surface {
 public:
  static constexpr int ViewWidth = 702;  // inner size of the main window's view
  static constexpr int ViewHeight = 369;

  explicit Surface(int width = ViewWidth, int height = ViewHeight, Colour background = ButtonFace);

  int width() const { return width_; }
  int height() const { return height_; }

  // Setting the background colour also erases the picture, as a picture box does.
  void setBackColour(Colour colour);
  Colour backColour() const { return background_; }
  void clear();  // fill with the background colour
  // Grows with every clear, so that what paints under the drawing knows to paint again.
  std::uint64_t clearCount() const { return clears_; }

  Colour foreColour = Black;
  LineStyle drawStyle = LineStyle::Solid;
  int drawWidth = 1;  // 1 or 2 pixels

  void setPixel(int column, int row, Colour colour);  // outside: no effect
  Colour getPixel(int column, int row) const;         // outside: InvalidColour

  // A line in the fore colour, style and width, both end points included. Fractional
  // coordinates are rounded to the nearest pixel (halves up, as the animated line rounds);
  // each step of the major axis sets the pixel nearest the line. The style pattern starts at
  // the first end point and applies at width 1 only. Only pixels on the surface are visited,
  // however far away the end points lie; a coordinate that is no number draws nothing.
  void line(double z1, double x1, double z2, double x2);
  // The same line in another colour than the fore colour (style and width as set).
  void line(double z1, double x1, double z2, double x2, Colour colour);

  // The Arc call: the circle inscribed in the box (left, top)-(right, bottom), drawn
  // counter-clockwise on the screen from the ray through (z1, x1) to the ray through
  // (z2, x2), in the fore colour, style and width. Equal rays draw the whole circle. The
  // pixels are those of the midpoint circle; pixels within about a pixel of an end ray
  // belong to the arc, so that it meets the lines drawn to its end points.
  void arc(int left, int top, int right, int bottom, int z1, int x1, int z2, int x2);

  // Plain copy of a source rectangle to (destZ, destX).
  void bitBlt(int destZ, int destX, int width, int height, const Surface& source, int sourceZ,
              int sourceX);
  // Stretched copy (nearest pixel) of a source rectangle onto a destination rectangle.
  void stretchBlt(int destZ, int destX, int destWidth, int destHeight, const Surface& source,
                  int sourceZ, int sourceX, int sourceWidth, int sourceHeight);

  // Writes the picture as an uncompressed 24-bit Windows bitmap; false when it cannot.
  bool writeBmp(const std::string& path) const;

  const std::vector<Colour>& pixels() const { return pixels_; }
  // Grows with every change, so a window can tell when to show the picture again.
  std::uint64_t revision() const { return revision_; }
  // Every pixel changed since the last call lies in the box returned; the next call starts
  // a new box. A window that keeps a copy of the picture converts and paints only that part.
  PixelBox takeChanged();

  // The box of the pixels that may differ from the background.
  PixelBox drawnBox() const { return drawn_; }
  // Puts back pixels kept earlier (as many as the surface has; others are ignored), with
  // their background and drawn box: the whole picture counts as changed.
  void assign(std::vector<Colour> pixels, Colour background, PixelBox drawn);

 private:
  // Sets one point of the pen: a pixel at width 1, a 2 x 2 block at width 2.
  void plotPen(int column, int row, Colour colour);
  // Adds the box of pixels from (left, top) to (right, bottom), as far as it lies on the
  // surface, to the pixels that may differ from the background and to the changed pixels.
  void markDrawn(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
  // Whether the pen's line style draws the pixel `step` pixels from the start of a stroke.
  bool patternOn(double step) const;
  bool inside(int column, int row) const;

  int width_;
  int height_;
  Colour background_;
  std::vector<Colour> pixels_;
  std::uint64_t revision_{};
  std::uint64_t clears_{};
  // Every pixel that may differ from the background lies in this box, so that clearing a
  // picture that holds one small drawing (a contour of a roughing cycle) fills only that part.
  PixelBox drawn_;
  PixelBox changed_;  // since takeChanged
};

}  // namespace draivo
