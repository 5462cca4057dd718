#pragma once

#include <QImage>

#include "render/Colour.h"

namespace draivo {

class Surface;
struct PixelBox;

// The picture of a surface as a Qt image (the surface keeps red in the low byte).
QImage toQImage(const Surface& surface);
// Copies the pixels of the box into an image of the surface's size made by toQImage.
void copyToQImage(const Surface& surface, const PixelBox& box, QImage& image);
QRgb toQRgb(Colour colour);

}  // namespace draivo
