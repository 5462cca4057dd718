#include "run/PictureSnapshot.h"

namespace draivo {

PictureSnapshot::PictureSnapshot(const Surface& picture)
    : pixelCount_(picture.pixels().size()),
      background_(picture.backColour()),
      foreColour_(picture.foreColour),
      drawStyle_(picture.drawStyle),
      drawWidth_(picture.drawWidth),
      drawn_(picture.drawnBox()) {
  for (const Colour colour : picture.pixels()) {
    if (!runs_.empty() && runs_.back().colour == colour) {
      ++runs_.back().length;
    } else {
      runs_.push_back({colour, 1});
    }
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
