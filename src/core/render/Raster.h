#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace draivo::raster {

// The pixels a drawing may touch: columns and rows from min to max, both included.
struct Clip {
  int minColumn;
  int minRow;
  int maxColumn;
  int maxRow;
};

// Walks a straight line between whole-pixel end points (held as doubles, so they may lie far
// outside any surface). Each step of the major axis gives one pixel whose minor coordinate is
// the rounded position on the line, both end points included, from (z1, x1) towards (z2, x2).
// Only the major-axis steps inside `clip` are visited, so the work is bounded by the clip size
// whatever the length; `plot(column, row, step)` gets the number of steps from the start.
template <typename Plot>
void walkLine(double z1, double x1, double z2, double x2, const Clip& clip, Plot plot) {
  if (!std::isfinite(z1) || !std::isfinite(x1) || !std::isfinite(z2) || !std::isfinite(x2)) {
    return;
  }
  const double sz = z1 <= z2 ? 1.0 : -1.0;
  const double sx = x1 <= x2 ? 1.0 : -1.0;
  const double dz = std::fabs(z2 - z1);
  const double dx = std::fabs(x2 - x1);
  const bool steep = dz < dx;
  const double slope = steep ? dz / dx : (dz > 0 ? dx / dz : 0.0);

  // The major axis: rows for a steep line, columns otherwise.
  const double majorStart = steep ? x1 : z1;
  const double majorEnd = steep ? x2 : z2;
  const double minorStart = steep ? z1 : x1;
  const double minorSign = steep ? sz : sx;
  const double majorSign = steep ? sx : sz;
  const int clipLow = steep ? clip.minRow : clip.minColumn;
  const int clipHigh = steep ? clip.maxRow : clip.maxColumn;
  const int minorLow = steep ? clip.minColumn : clip.minRow;
  const int minorHigh = steep ? clip.maxColumn : clip.maxRow;

  const double low =
      std::max(static_cast<double>(clipLow), std::ceil(std::min(majorStart, majorEnd)));
  const double high =
      std::min(static_cast<double>(clipHigh), std::floor(std::max(majorStart, majorEnd)));
  if (low > high) return;
  const int first = static_cast<int>(majorSign > 0 ? low : high);
  const int last = static_cast<int>(majorSign > 0 ? high : low);
  const int step = majorSign > 0 ? 1 : -1;

  if (slope == 0) {
    // A line along an axis keeps its minor coordinate (adding a zero product changes nothing).
    const double minor = std::floor(minorStart + 0.5);
    if (minor < minorLow || minor > minorHigh) return;
    const int m = static_cast<int>(minor);
    for (int major = first;; major += step) {
      const double steps = std::fabs(major - majorStart);
      if (steep) {
        plot(m, major, steps);
      } else {
        plot(major, m, steps);
      }
      if (major == last) break;
    }
    return;
  }
  for (int major = first;; major += step) {
    const double steps = std::fabs(major - majorStart);
    const double minor = std::floor(minorStart + 0.5 + minorSign * steps * slope);
    if (minor >= minorLow && minor <= minorHigh) {
      const int m = static_cast<int>(minor);
      if (steep) {
        plot(m, major, steps);
      } else {
        plot(major, m, steps);
      }
    }
    if (major == last) break;
  }
}

// The row offset of a circle of radius r at column offset x in the flat octants, as the
// midpoint circle algorithm chooses it: the largest y with y^2 - y < r^2 - x^2.
inline std::int64_t circleOffset(std::int64_t r, std::int64_t x) {
  const std::int64_t n = r * r - x * x;
  if (n <= 0) return 0;
  auto y = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
  while ((y + 1) * (y + 1) - (y + 1) < n) ++y;
  while (y > 0 && y * y - y >= n) --y;
  return y;
}

// Visits every pixel of the midpoint circle around (cz, cx) with radius r that lies inside
// `clip`, as plot(column, row). Work is bounded by the clip size, however large the circle.
template <typename Plot>
void walkCircle(std::int64_t cz, std::int64_t cx, std::int64_t r, const Clip& clip, Plot plot) {
  if (r < 0) return;
  // The last offset of the flat octants: the largest x with x <= y(x).
  auto octantEnd = static_cast<std::int64_t>(static_cast<double>(r) / std::sqrt(2.0));
  while (octantEnd + 1 <= circleOffset(r, octantEnd + 1) && octantEnd < r) ++octantEnd;
  while (octantEnd > 0 && octantEnd > circleOffset(r, octantEnd)) --octantEnd;

  // Offsets x whose pixel centre + sign * x lies within [low, high].
  auto visit = [&](std::int64_t centre, std::int64_t sign, std::int64_t low, std::int64_t high,
                   auto each) {
    std::int64_t from = sign > 0 ? low - centre : centre - high;
    std::int64_t to = sign > 0 ? high - centre : centre - low;
    from = std::max<std::int64_t>(from, 0);
    to = std::min(to, octantEnd);
    for (std::int64_t x = from; x <= to; ++x) each(centre + sign * x, circleOffset(r, x));
  };
  auto inRange = [](std::int64_t v, int low, int high) { return v >= low && v <= high; };

  for (const std::int64_t sign : {1, -1}) {
    // Flat octants: the column runs along the offset, the row is above or below.
    visit(cz, sign, clip.minColumn, clip.maxColumn, [&](std::int64_t column, std::int64_t y) {
      for (const std::int64_t row : {cx - y, cx + y}) {
        if (inRange(row, clip.minRow, clip.maxRow)) {
          plot(static_cast<int>(column), static_cast<int>(row));
        }
      }
    });
    // Steep octants: the row runs along the offset, the column is left or right.
    visit(cx, sign, clip.minRow, clip.maxRow, [&](std::int64_t row, std::int64_t y) {
      for (const std::int64_t column : {cz - y, cz + y}) {
        if (inRange(column, clip.minColumn, clip.maxColumn)) {
          plot(static_cast<int>(column), static_cast<int>(row));
        }
      }
    });
  }
}

}  // namespace draivo::raster
