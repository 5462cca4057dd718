#pragma once

#include <cstdint>
#include <optional>

#include "render/Colour.h"
#include "stock/Dexels.h"

namespace draivo {

class Surface;
class Workpiece;
struct ViewState;

// Colours no pen of the path uses: the stock light, the jaws darker.
inline constexpr Colour StockColour = rgb(255, 236, 190);
inline constexpr Colour JawColour = rgb(150, 150, 160);

// Paints the stock and the jaws into the path picture, under the path: a pixel is painted
// only where the picture shows its background, the stock or the jaws, and goes back to the
// background where the material has gone. A pixel column shows the material of the stock
// column under its centre.
class StockPainter {
 public:
  // Paints the pixel columns over the stock columns that changed; everything after the
  // picture was cleared or the view was moved or zoomed.
  void paint(const Workpiece& workpiece, const ViewState& view, Surface& picture,
             ColumnSpan changed);
  void paintAll(const Workpiece& workpiece, const ViewState& view, Surface& picture);
  // The next paint paints everything.
  void forget() { painted_.reset(); }
  // Gives the pixels of the stock and the jaws back to the background.
  void erase(Surface& picture);

 private:
  void paintColumns(const Workpiece& workpiece, const ViewState& view, Surface& picture,
                    int first, int last) const;

  // The view and the picture the stock was last painted whole into.
  struct PaintedInto {
    double zoom;
    int originZ, originX;
    std::uint64_t clears;
    Colour background;
    bool operator==(const PaintedInto&) const = default;
  };
  static PaintedInto paintedInto(const ViewState& view, const Surface& picture);

  std::optional<PaintedInto> painted_;
};

}  // namespace draivo
