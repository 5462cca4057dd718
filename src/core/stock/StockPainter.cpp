#include "stock/StockPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/Surface.h"
#include "render/ViewState.h"
#include "stock/Workpiece.h"

namespace draivo {
namespace {

// The rows whose centres lie between the distances lo and hi from the axis, clamped to the
// picture.
struct RowSpan {
  int first, last;
};

RowSpan rowsOf(const ViewState& view, double lo, double hi, int height) {
  const double top = std::ceil(view.ViewOriginX - hi * view.ZoomFactor);
  const double bottom = std::floor(view.ViewOriginX - lo * view.ZoomFactor);
  return {static_cast<int>(std::clamp(top, 0.0, static_cast<double>(height))),
          static_cast<int>(std::clamp(bottom, -1.0, static_cast<double>(height) - 1))};
}

}  // namespace

void StockPainter::paint(const Workpiece& workpiece, const ViewState& view, Surface& picture,
                         ColumnSpan changed) {
  if (painted_ != paintedInto(view, picture)) {
    paintAll(workpiece, view, picture);
    return;
  }
  if (changed.empty()) return;
  const Dexels& stock = workpiece.stock();
  const double left = stock.left() + static_cast<double>(changed.first) * stock.step();
  const double right = stock.left() + static_cast<double>(changed.last + 1) * stock.step();
  const double first = std::floor(view.columnOf(left)), last = std::ceil(view.columnOf(right));
  const double width = picture.width();
  if (last < 0 || first >= width) return;
  paintColumns(workpiece, view, picture, static_cast<int>(std::max(first, 0.0)),
               static_cast<int>(std::min(last, width - 1)));
}

StockPainter::PaintedInto StockPainter::paintedInto(const ViewState& view, const Surface& picture) {
  return {view.ZoomFactor, view.ViewOriginZ, view.ViewOriginX, picture.clearCount(),
          picture.backColour()};
}

void StockPainter::erase(Surface& picture) {
  const Colour background = picture.backColour();
  for (int row = 0; row < picture.height(); ++row) {
    for (int column = 0; column < picture.width(); ++column) {
      const Colour now = picture.getPixel(column, row);
      if (now == StockColour || now == JawColour) picture.setPixel(column, row, background);
    }
  }
  painted_.reset();
}

void StockPainter::paintAll(const Workpiece& workpiece, const ViewState& view, Surface& picture) {
  painted_ = paintedInto(view, picture);
  paintColumns(workpiece, view, picture, 0, picture.width() - 1);
}

void StockPainter::paintColumns(const Workpiece& workpiece, const ViewState& view,
                                Surface& picture, int first, int last) const {
  const Dexels& stock = workpiece.stock();
  const Colour background = picture.backColour();
  // Only the rows of the bar and the jaws can show either.
  const BarBlank& blank = workpiece.blank();
  const RowSpan band = rowsOf(view, blank.bore / 2, std::max(blank.diameter, blank.jaws()) / 2,
                              picture.height());
  std::vector<Colour> wanted(static_cast<std::size_t>(picture.height()));
  for (int c = first; c <= last; ++c) {
    std::fill(wanted.begin(), wanted.end(), background);
    const double z = view.zOf(c);
    const auto fill = [&](double lo, double hi, Colour colour) {
      const RowSpan rows = rowsOf(view, lo, hi, picture.height());
      for (int row = rows.first; row <= rows.last; ++row) wanted[static_cast<std::size_t>(row)] = colour;
    };
    const double index = std::floor((z - stock.left()) / stock.step());
    if (index >= 0 && index < static_cast<double>(stock.count())) {
      const Interval& material = stock.column(static_cast<std::size_t>(index));
      fill(material.lo, material.hi, StockColour);
    }
    if (const auto& jaws = workpiece.jaws(); jaws && z >= jaws->left && z <= jaws->right) {
      fill(jaws->low, jaws->high, JawColour);
    }
    for (int row = band.first; row <= band.last; ++row) {
      const Colour now = picture.getPixel(c, row);
      const Colour want = wanted[static_cast<std::size_t>(row)];
      if (now != want && (now == background || now == StockColour || now == JawColour)) {
        picture.setPixel(c, row, want);
      }
    }
  }
}

}  // namespace draivo
