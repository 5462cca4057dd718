#pragma once

#include <string>

namespace draivo {

class Workpiece;

// The half-section of the part as it is now, as an SVG picture in the program's unit (the
// document's width and height in mm or in): Z to the right, the radius upwards, the axis at
// the bottom. The material is filled; the columns of the stock are its vertices.
std::string ProfileSvg(const Workpiece& workpiece);

}  // namespace draivo
