#include "platform/SurfaceImage.h"

#include "render/Surface.h"

namespace draivo {

QRgb toQRgb(Colour colour) { return qRgb(redOf(colour), greenOf(colour), blueOf(colour)); }

QImage toQImage(const Surface& surface) {
  QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
  const auto& pixels = surface.pixels();
  for (int row = 0; row < surface.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const std::size_t offset = static_cast<std::size_t>(row) * static_cast<std::size_t>(surface.width());
    for (int column = 0; column < surface.width(); ++column)
      line[column] = toQRgb(pixels[offset + static_cast<std::size_t>(column)]);
  }
  return image;
}

}  // namespace draivo
