#pragma once

#include <string_view>

#include "render/Surface.h"

namespace draivo {

// What the character after a block's first "G0" says about its move: a blank or "0" is a
// dotted rapid move, "2" or "3" a solid arc, anything else a solid line. `known` is false
// for a block without "G0", which keeps the style of the block before.
struct MoveKind {
  bool known{};
  LineStyle style = LineStyle::Solid;
  bool arc{};
};

MoveKind firstG0MoveKind(std::string_view block);

// The drawing's rapid mode after a block: a block with "G00" (or "G0 ") sets it, a block with
// any other "G" clears it, a block without "G" keeps it. Only a rapid move of this mode that
// names both X and Z is drawn with a 45 degree leg.
bool RapidModeAfter(std::string_view block, bool before);

}  // namespace draivo
