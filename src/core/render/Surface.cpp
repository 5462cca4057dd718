#include "render/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <utility>

#include "render/Raster.h"

namespace draivo {
namespace {

// Cosmetic pen patterns, in pixels: dots 3 on, 3 off; dash-dot 9 on, 6 off, 3 on, 6 off.
constexpr double dotPeriod = 6;
constexpr double dotOn = 3;
constexpr double dashDotPeriod = 24;
constexpr double dashOn = 9;
constexpr double dashDotSecondOn = 15;
constexpr double dashDotSecondOff = 18;

constexpr double wholeStepLimit = 9.0e15;  // whole numbers below it are exact in a double
constexpr auto dotPeriodWhole = static_cast<std::uint64_t>(dotPeriod);
constexpr auto dotOnWhole = static_cast<std::uint64_t>(dotOn);

constexpr double fullTurn = 2 * std::numbers::pi;

// Whether the dot pattern draws the pixel `step` pixels from the start of a stroke.
bool dotAt(double step) {
  if (step >= 0 && step < wholeStepLimit && step == std::floor(step)) {
    // Lines step whole pixels: the same test without a floating-point remainder.
    return static_cast<std::uint64_t>(step) % dotPeriodWhole < dotOnWhole;
  }
  return std::fmod(step, dotPeriod) < dotOn;
}

// Nearest whole pixel of a fractional coordinate, kept as a double so that far away end
// points keep their true direction.
double nearestPixel(double value) {
  return std::floor(value + 0.5);
}

// The angle of an offset on the screen, counter-clockwise from the right (rows grow down).
double screenAngle(std::int64_t dz, std::int64_t dx) {
  return std::atan2(-static_cast<double>(dx), static_cast<double>(dz));
}

// The angle from `from` counter-clockwise to `to`, in [0, 2 pi).
double turnBetween(double from, double to) {
  double turn = std::fmod(to - from, fullTurn);
  if (turn < 0) turn += fullTurn;
  return turn;
}

// Where an offset from an arc's centre lies against the arc running counter-clockwise on the
// screen from its start ray to its end ray (angles as screenAngle gives them): 1 on the arc,
// -1 off it, 0 within a hair of a ray, where only the angle itself can tell.
class ArcSides {
 public:
  ArcSides(double startAngle, double endAngle, bool whole)
      : whole_(whole),
        startZ_(std::cos(startAngle)),
        startX_(std::sin(startAngle)),
        endZ_(std::cos(endAngle)),
        endX_(std::sin(endAngle)),
        wide_(turnBetween(startAngle, endAngle) > std::numbers::pi) {}

  int of(std::int64_t dz, std::int64_t dx) const {
    if (whole_) return 1;
    // The offset with the rows turned upwards, so that angles grow counter-clockwise.
    const auto z = static_cast<double>(dz);
    const auto x = -static_cast<double>(dx);
    const double afterStart = startZ_ * x - startX_ * z;  // > 0: counter-clockwise of start
    const double beforeEnd = z * endX_ - x * endZ_;       // > 0: clockwise of the end
    // Rounding moves the angles by about 1e-15; a hair of 1e-9 leaves room for it.
    constexpr double hair = 1e-18;
    const double length = z * z + x * x;
    if (afterStart * afterStart <= hair * length || beforeEnd * beforeEnd <= hair * length) {
      return 0;
    }
    if (wide_) return afterStart < 0 && beforeEnd < 0 ? -1 : 1;
    return afterStart > 0 && beforeEnd > 0 ? 1 : -1;
  }

 private:
  bool whole_;
  double startZ_, startX_, endZ_, endX_;
  bool wide_;  // more than half a turn: off the arc means between the end and the start
};

void putLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Grows the box to hold another one.
void grow(PixelBox& box, const PixelBox& more) {
  if (more.empty()) return;
  if (box.empty()) {
    box = more;
    return;
  }
  box.left = std::min(box.left, more.left);
  box.top = std::min(box.top, more.top);
  box.right = std::max(box.right, more.right);
  box.bottom = std::max(box.bottom, more.bottom);
}

}  // namespace

Surface::Surface(int width, int height, Colour background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      background_(background),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

void Surface::setBackColour(Colour colour) {
  background_ = colour;
  markDrawn(0, 0, width_ - 1, height_ - 1);  // every pixel has the old background
  clear();
}

void Surface::clear() {
  ++clears_;
  if (!drawn_.empty()) {
    const auto width = static_cast<std::size_t>(width_);
    for (int row = drawn_.top; row <= drawn_.bottom; ++row) {
      const auto start = pixels_.begin() + static_cast<std::ptrdiff_t>(row * width);
      std::fill(start + drawn_.left, start + drawn_.right + 1, background_);
    }
    grow(changed_, drawn_);
  }
  drawn_ = PixelBox{};
  ++revision_;
}

void Surface::assign(std::vector<Colour> pixels, Colour background, PixelBox drawn) {
  if (pixels.size() != pixels_.size()) return;
  pixels_ = std::move(pixels);
  background_ = background;
  drawn_ = drawn;
  grow(changed_, PixelBox{0, 0, width_ - 1, height_ - 1});
  ++revision_;
}

PixelBox Surface::takeChanged() {
  return std::exchange(changed_, PixelBox{});
}

void Surface::markDrawn(std::int64_t left, std::int64_t top, std::int64_t right,
                        std::int64_t bottom) {
  left = std::max<std::int64_t>(left, 0);
  top = std::max<std::int64_t>(top, 0);
  right = std::min<std::int64_t>(right, width_ - 1);
  bottom = std::min<std::int64_t>(bottom, height_ - 1);
  if (left > right || top > bottom) return;
  const PixelBox box{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                     static_cast<int>(bottom)};
  grow(drawn_, box);
  grow(changed_, box);
}

bool Surface::inside(int column, int row) const {
  return column >= 0 && column < width_ && row >= 0 && row < height_;
}

void Surface::setPixel(int column, int row, Colour colour) {
  if (!inside(column, row)) return;
  if (!drawn_.contains(column, row) || !changed_.contains(column, row)) {
    markDrawn(column, row, column, row);
  }
  pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(column)] = colour;
  ++revision_;
}

Colour Surface::getPixel(int column, int row) const {
  if (!inside(column, row)) return InvalidColour;
  return pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(column)];
}

void Surface::plotPen(int column, int row, Colour colour) {
  setPixel(column, row, colour);
  if (drawWidth < 2) return;
  setPixel(column + 1, row, colour);
  setPixel(column, row + 1, colour);
  setPixel(column + 1, row + 1, colour);
}

bool Surface::patternOn(double step) const {
  if (drawWidth >= 2) return true;  // styles apply to thin pens only
  switch (drawStyle) {
    case LineStyle::Dot:
      return dotAt(step);
    case LineStyle::DashDot: {
      const double at = std::fmod(step, dashDotPeriod);
      return at < dashOn || (at >= dashDotSecondOn && at < dashDotSecondOff);
    }
    case LineStyle::Solid:
      break;
  }
  return true;
}

void Surface::line(double z1, double x1, double z2, double x2) {
  line(z1, x1, z2, x2, foreColour);
}

void Surface::line(double z1, double x1, double z2, double x2, Colour colour) {
  z1 = nearestPixel(z1);
  x1 = nearestPixel(x1);
  z2 = nearestPixel(z2);
  x2 = nearestPixel(x2);
  if (!std::isfinite(z1) || !std::isfinite(x1) || !std::isfinite(z2) || !std::isfinite(x2)) {
    return;
  }
  // Every pixel of the line lies in the box of its end points. A wide pen also paints the
  // pixel right of and below each point, so one more column and row before the surface can
  // still show.
  const int margin = drawWidth >= 2 ? 1 : 0;
  // Ends far off the surface are brought to its edge first: a pixel number must fit.
  const auto onEdge = [](double value, int size) {
    return static_cast<std::int64_t>(std::clamp(value, -1.0, static_cast<double>(size)));
  };
  markDrawn(onEdge(std::fmin(z1, z2), width_), onEdge(std::fmin(x1, x2), height_),
            onEdge(std::fmax(z1, z2), width_) + margin, onEdge(std::fmax(x1, x2), height_) + margin);
  const raster::Clip clip{-margin, -margin, width_ - 1, height_ - 1};
  if (margin == 0 && drawStyle != LineStyle::DashDot) {
    // The thin solid and dotted pens, whose pixels the clip keeps on the surface: written
    // straight, with the dot pattern of patternOn on the whole steps a line makes.
    const bool dotted = drawStyle == LineStyle::Dot;
    Colour* pixels = pixels_.data();
    const auto width = static_cast<std::ptrdiff_t>(width_);
    raster::walkLine(z1, x1, z2, x2, clip, [&](int column, int row, double step) {
      if (dotted && !dotAt(step)) return;
      pixels[row * width + column] = colour;
    });
    ++revision_;
    return;
  }
  raster::walkLine(z1, x1, z2, x2, clip, [&](int column, int row, double step) {
    if (patternOn(step)) plotPen(column, row, colour);
  });
}

void Surface::arc(int left, int top, int right, int bottom, int z1, int x1, int z2, int x2) {
  const std::int64_t boxWidth = std::abs(static_cast<std::int64_t>(right) - left);
  const std::int64_t boxHeight = std::abs(static_cast<std::int64_t>(bottom) - top);
  const std::int64_t radius = std::min(boxWidth, boxHeight) / 2;
  const std::int64_t cz = (static_cast<std::int64_t>(left) + right) / 2;
  const std::int64_t cx = (static_cast<std::int64_t>(top) + bottom) / 2;

  const double from = screenAngle(z1 - cz, x1 - cx);
  double span = turnBetween(from, screenAngle(z2 - cz, x2 - cx));
  constexpr double sameRay = 1e-12;
  if (span < sameRay || span > fullTurn - sameRay) span = fullTurn;
  // Pixels within about a pixel of an end ray belong to the arc, so that it meets the lines
  // that end on its end points.
  const double slack = 0.75 / static_cast<double>(std::max<std::int64_t>(radius, 1));

  const double arcEnd = span + slack;
  const double arcStart = fullTurn - slack;
  auto turnOf = [&](int column, int row) {
    return turnBetween(from, screenAngle(column - cz, row - cx));
  };
  auto onArc = [&](double turn) { return span >= fullTurn || turn <= arcEnd || turn >= arcStart; };

  const int margin = drawWidth >= 2 ? 1 : 0;
  markDrawn(cz - radius, cx - radius, cz + radius + margin, cx + radius + margin);
  const raster::Clip clip{-margin, -margin, width_ - 1, height_ - 1};
  if (drawWidth >= 2 || drawStyle == LineStyle::Solid) {
    // A pen without a pattern sets every pixel of the arc, so most pixels are decided by the
    // sides of the end rays they lie on; only those too close to a ray for that take the
    // angle, which decides as it always has.
    const ArcSides sides(from + arcStart, from + arcEnd, arcEnd >= arcStart);
    raster::walkCircle(cz, cx, radius, clip, [&](int column, int row) {
      const int side = sides.of(column - cz, row - cx);
      if (side > 0 || (side == 0 && onArc(turnOf(column, row)))) {
        plotPen(column, row, foreColour);
      }
    });
    return;
  }
  raster::walkCircle(cz, cx, radius, clip, [&](int column, int row) {
    const double turn = turnOf(column, row);
    if (!onArc(turn)) return;
    const double step = (turn >= arcStart ? 0.0 : turn) * static_cast<double>(radius);
    if (patternOn(step)) plotPen(column, row, foreColour);
  });
}

void Surface::bitBlt(int destZ, int destX, int width, int height, const Surface& source,
                     int sourceZ, int sourceX) {
  stretchBlt(destZ, destX, width, height, source, sourceZ, sourceX, width, height);
}

void Surface::stretchBlt(int destZ, int destX, int destWidth, int destHeight, const Surface& source,
                         int sourceZ, int sourceX, int sourceWidth, int sourceHeight) {
  if (destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
  // Copying from itself reads the picture as it was before the copy.
  const Surface copy = &source == this ? source : Surface(0, 0);
  const Surface& from = &source == this ? copy : source;

  const std::int64_t firstColumn = std::max<std::int64_t>(destZ, 0);
  const std::int64_t lastColumn =
      std::min<std::int64_t>(static_cast<std::int64_t>(destZ) + destWidth, width_) - 1;
  const std::int64_t firstRow = std::max<std::int64_t>(destX, 0);
  const std::int64_t lastRow =
      std::min<std::int64_t>(static_cast<std::int64_t>(destX) + destHeight, height_) - 1;
  // Nearest source pixel of the centre of each destination pixel.
  auto sourceOf = [](std::int64_t offset, int sourceStart, int sourceSize, int destSize) {
    const double scaled = (static_cast<double>(offset) + 0.5) * sourceSize / destSize;
    return sourceStart + static_cast<std::int64_t>(std::floor(scaled));
  };
  for (std::int64_t row = firstRow; row <= lastRow; ++row) {
    const std::int64_t sourceRow = sourceOf(row - destX, sourceX, sourceHeight, destHeight);
    if (sourceRow < 0 || sourceRow >= from.height_) continue;
    for (std::int64_t column = firstColumn; column <= lastColumn; ++column) {
      const std::int64_t sourceColumn = sourceOf(column - destZ, sourceZ, sourceWidth, destWidth);
      if (sourceColumn < 0 || sourceColumn >= from.width_) continue;
      pixels_[static_cast<std::size_t>(row * width_ + column)] =
          from.pixels_[static_cast<std::size_t>(sourceRow * from.width_ + sourceColumn)];
    }
  }
  markDrawn(firstColumn, firstRow, lastColumn, lastRow);
  ++revision_;
}

bool Surface::writeBmp(const std::string& path) const {
  constexpr std::uint32_t fileHeaderSize = 14;
  constexpr std::uint32_t infoHeaderSize = 40;
  constexpr std::uint32_t bitsPerPixel = 24;
  constexpr std::uint32_t pixelsPerMetre = 3780;  // 96 dots per inch
  const std::uint32_t rowSize = (static_cast<std::uint32_t>(width_) * 3 + 3) / 4 * 4;
  const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(height_);
  const std::uint32_t dataOffset = fileHeaderSize + infoHeaderSize;

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.put('B');
  out.put('M');
  putLittleEndian(out, dataOffset + imageSize, 4);
  putLittleEndian(out, 0, 4);  // reserved
  putLittleEndian(out, dataOffset, 4);
  putLittleEndian(out, infoHeaderSize, 4);
  putLittleEndian(out, static_cast<std::uint32_t>(width_), 4);
  putLittleEndian(out, static_cast<std::uint32_t>(height_), 4);  // positive: bottom-up rows
  putLittleEndian(out, 1, 2);                                    // planes
  putLittleEndian(out, bitsPerPixel, 2);
  putLittleEndian(out, 0, 4);  // no compression
  putLittleEndian(out, imageSize, 4);
  putLittleEndian(out, pixelsPerMetre, 4);
  putLittleEndian(out, pixelsPerMetre, 4);
  putLittleEndian(out, 0, 4);  // colours used
  putLittleEndian(out, 0, 4);  // important colours

  std::string row(rowSize, '\0');
  for (int r = height_ - 1; r >= 0; --r) {
    for (int c = 0; c < width_; ++c) {
      const Colour colour = getPixel(c, r);
      const auto at = static_cast<std::size_t>(c) * 3;
      row[at] = static_cast<char>(blueOf(colour));
      row[at + 1] = static_cast<char>(greenOf(colour));
      row[at + 2] = static_cast<char>(redOf(colour));
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  out.close();
  return !out.fail();
}

}  // namespace draivo
