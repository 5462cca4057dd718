#pragma once

#include <cstdint>

namespace draivo {

// A colour value with red in the low byte, green in the next and blue in the third.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
         static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Blue = rgb(0, 0, 255);
constexpr Colour ButtonFace = rgb(240, 240, 240);
// What GetPixel answers for a point outside the surface.
constexpr Colour InvalidColour = 0xFFFFFFFF;

// The standard 16-colour table (0 black ... 15 bright white); other indexes give black.
Colour QBColor(int index);

}  // namespace draivo
