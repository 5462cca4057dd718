#pragma once

#include <QImage>

#include "render/Colour.h"

namespace draivo {

class Surface;

// The picture of a surface as a Qt image (the surface keeps red in the low byte).
QImage toQImage(const Surface& surface);
QRgb toQRgb(Colour colour);

}  // namespace draivo
