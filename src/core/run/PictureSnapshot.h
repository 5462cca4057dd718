#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/Surface.h"

namespace draivo {

// A picture kept for a checkpoint of a run: its pixels run-length coded (a tool-path picture
// is mostly background, so a picture of a megabyte keeps in some kilobytes), with the pen's
// colour, style and width and the background.
class PictureSnapshot {
 public:
  PictureSnapshot() = default;
  explicit PictureSnapshot(const Surface& picture);

  // Puts the picture back as it was kept; a picture of another size is left as it is.
  void restore(Surface& picture) const;
  std::size_t bytes() const { return runs_.capacity() * sizeof(Run) + sizeof(*this); }

 private:
  struct Run {
    Colour colour;
    std::uint32_t length;
  };
  std::vector<Run> runs_;
  std::size_t pixelCount_{};
  Colour background_{};
  Colour foreColour_{};
  LineStyle drawStyle_ = LineStyle::Solid;
  int drawWidth_ = 1;
  PixelBox drawn_;
};

}  // namespace draivo
