#include "render/Colour.h"

#include <array>

namespace draivo {
namespace {

constexpr std::array<Colour, 16> standardColours = {
    rgb(0, 0, 0),       rgb(0, 0, 128),   rgb(0, 128, 0),   rgb(0, 128, 128),
    rgb(128, 0, 0),     rgb(128, 0, 128), rgb(128, 128, 0), rgb(192, 192, 192),
    rgb(128, 128, 128), rgb(0, 0, 255),   rgb(0, 255, 0),   rgb(0, 255, 255),
    rgb(255, 0, 0),     rgb(255, 0, 255), rgb(255, 255, 0), rgb(255, 255, 255)};

}  // namespace

Colour QBColor(int index) {
  if (index < 0 || index >= static_cast<int>(standardColours.size())) return Black;
  return standardColours[static_cast<std::size_t>(index)];
}

}  // namespace draivo
