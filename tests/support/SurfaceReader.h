#pragma once

#include "render/Colour.h"
#include "render/Surface.h"

namespace draivo::test {

// Number of pixels of the picture that have the colour.
int CountPixels(const Surface& picture, Colour colour);

// Number of pixels of the picture whose colour is none of the two.
int CountPixelsOtherThan(const Surface& picture, Colour first, Colour second);

}  // namespace draivo::test
