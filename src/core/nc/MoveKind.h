#pragma once

#include <string_view>

#include "render/Surface.h"

namespace draivo {

// What the character after a block's first "G0" says about its move: a blank or "0" is a
// dotted rapid move, "2" or "3" a solid arc, anything else a solid line. `known` is false
// for a block without "G0", which keeps the style of the block before.
struct MoveKind {
  bool known = false;
  LineStyle style = LineStyle::Solid;
  bool arc = false;
};

MoveKind firstG0MoveKind(std::string_view block);

}  // namespace draivo
