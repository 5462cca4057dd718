#include "support/SurfaceReader.h"

#include <algorithm>

namespace draivo::test {

int CountPixels(const Surface& picture, Colour colour) {
  const auto& pixels = picture.pixels();
  return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

int CountPixelsOtherThan(const Surface& picture, Colour first, Colour second) {
  const auto& pixels = picture.pixels();
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(),
                                        [&](Colour c) { return c != first && c != second; }));
}

}  // namespace draivo::test
