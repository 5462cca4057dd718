#include "platform/SurfaceImage.h"

#include "render/Surface.h"

namespace draivo {

QRgb toQRgb(Colour colour) {
  return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
}

QImage toQImage(const Surface& surface) {
  QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
  const auto& pixels = surface.pixels();
  for (int row = 0; row < surface.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const std::size_t offset =
        static_cast<std::size_t>(row) * static_cast<std::size_t>(surface.width());
    for (int column = 0; column < surface.width(); ++column) {
      // 0x00BBGGRR becomes 0xFFRRGGBB: red and blue change places.
      const Colour c = pixels[offset + static_cast<std::size_t>(column)];
      line[column] = 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
    }
  }
  return image;
}

}  // namespace draivo
