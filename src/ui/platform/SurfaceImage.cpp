#include "platform/SurfaceImage.h"

#include "render/Surface.h"

namespace draivo {

QRgb toQRgb(Colour colour) {
  return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
}

QImage toQImage(const Surface& surface) {
  QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
  copyToQImage(surface, PixelBox{0, 0, surface.width() - 1, surface.height() - 1}, image);
  return image;
}

void copyToQImage(const Surface& surface, const PixelBox& box, QImage& image) {
  const auto& pixels = surface.pixels();
  const auto width = static_cast<std::size_t>(surface.width());
  for (int row = box.top; row <= box.bottom; ++row) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
    const Colour* from = pixels.data() + static_cast<std::size_t>(row) * width;
    for (int column = box.left; column <= box.right; ++column) {
      // 0x00BBGGRR becomes 0xFFRRGGBB: red and blue change places.
      const Colour c = from[column];
      line[column] = 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
    }
  }
}

}  // namespace draivo
