#include "run/PictureSnapshot.h"

#include <algorithm>

namespace draivo {

PictureSnapshot::PictureSnapshot(const Surface& picture)
    : pixelCount_(picture.pixels().size()),
      background_(picture.backColour()),
      foreColour_(picture.foreColour),
      drawStyle_(picture.drawStyle),
      drawWidth_(picture.drawWidth),
      drawn_(picture.drawnBox()) {
  const std::vector<Colour>& pixels = picture.pixels();
  for (auto at = pixels.begin(); at != pixels.end();) {
    const auto end = std::find_if(at, pixels.end(), [colour = *at](Colour c) { return c != colour; });
    runs_.push_back({*at, static_cast<std::uint32_t>(end - at)});
    at = end;
  }
  runs_.shrink_to_fit();
}

void PictureSnapshot::restore(Surface& picture) const {
  if (picture.pixels().size() != pixelCount_) return;
  std::vector<Colour> pixels;
  pixels.reserve(pixelCount_);
  for (const Run& run : runs_) pixels.insert(pixels.end(), run.length, run.colour);
  picture.assign(std::move(pixels), background_, drawn_);
  picture.foreColour = foreColour_;
  picture.drawStyle = drawStyle_;
  picture.drawWidth = drawWidth_;
}

}  // namespace draivo
