#include "render/PixelDrawing.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "nc/NumberFormat.h"
#include "render/Raster.h"
#include "render/Surface.h"

namespace draivo {
namespace {

constexpr double fullCircle = 360;
// One turn and its closing degree: further degrees would only set the same pixels again.
constexpr std::int64_t maxArcSteps = 361;
constexpr double piAsWritten = 3.14159265358979;

// A point-decimal number at the start of the text after leading blanks; 0 when there is none.
double angleValue(const std::string& text) {
  std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return 0;
  if (text[start] == '+') ++start;
  double value = 0;
  const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
  return result.ec == std::errc() && std::isfinite(value) ? value : 0;
}

// A double reduced to single precision; beyond its range it becomes an infinity.
double toSingle(double value) {
  constexpr double largest = std::numeric_limits<float>::max();
  if (value > largest) return std::numeric_limits<double>::infinity();
  if (value < -largest) return -std::numeric_limits<double>::infinity();
  return static_cast<float>(value);
}

void setVisiblePixel(Surface& picture, double column, double row, Colour colour) {
  if (!std::isfinite(column) || !std::isfinite(row)) return;
  picture.setPixel(roundPixel(column), roundPixel(row), colour);
}

}  // namespace

void LineByPixel(Surface& picture, const DrawHooks& hooks, Colour colour, int delay, double& z1,
                 double& x1, double& z2, double& x2) {
  z1 = std::floor(z1 + 0.5);
  x1 = std::floor(x1 + 0.5);
  z2 = std::floor(z2 + 0.5);
  x2 = std::floor(x2 + 0.5);
  if (z1 == z2 && x1 == x2) return;
  // Pixels off the picture are skipped without a pause, so a line that runs far outside the
  // view costs no more than the part that shows.
  const raster::Clip visible{0, 0, picture.width() - 1, picture.height() - 1};
  const double majorSteps = std::fmax(std::fabs(z2 - z1), std::fabs(x2 - x1));
  raster::walkLine(z1, x1, z2, x2, visible, [&](int column, int row, double steps) {
    picture.setPixel(column, row, colour);
    hooks.doProgress(picture, steps / majorSteps);
    hooks.doRefresh();
    hooks.doWait(delay);
  });
}

void ArcByPixel(Surface& picture, const DrawHooks& hooks, int delay, double cz, double cx, double r,
                bool clockwise, Colour colour, std::string& startAngle, std::string& endAngle) {
  if (startAngle.empty()) startAngle.assign(1, '0');
  if (endAngle.empty()) endAngle = formatGeneral(fullCircle);
  double start = angleValue(startAngle);
  double end = angleValue(endAngle);
  if (clockwise && end > start) {
    start += fullCircle;
    startAngle = formatGeneral(start);
  } else if (!clockwise && start > end) {
    end += fullCircle;
    endAngle = formatGeneral(end);
  }

  const double first = roundToEven(start);
  const double last = roundToEven(end);
  const double step = clockwise ? -1 : 1;
  const double span = std::fabs(last - first);
  const std::int64_t count =
      span >= static_cast<double>(maxArcSteps) ? maxArcSteps : static_cast<std::int64_t>(span) + 1;

  double previousZ = 0, previousX = 0;
  for (std::int64_t n = 0; n < count; ++n) {
    const double a = (first + step * static_cast<double>(n)) * piAsWritten / 180;
    const double dz = toSingle(r * std::sin(a));
    const double dx = toSingle(r * std::cos(a));
    setVisiblePixel(picture, cz + dz, cx + dx, colour);
    const double roundedZ = roundToEven(dz);
    const double roundedX = roundToEven(dx);
    // Consecutive degrees more than a pixel apart are joined by a short straight line.
    if (n > 0 && (std::fabs(roundedZ - previousZ) > 1 || std::fabs(roundedX - previousX) > 1)) {
      picture.line(cz + previousZ, cx + previousX, cz + roundedZ, cx + roundedX, colour);
    }
    previousZ = roundedZ;
    previousX = roundedX;
    hooks.doProgress(picture, count > 1 ? static_cast<double>(n) / static_cast<double>(count - 1) : 1.0);
    hooks.doRefresh();
    hooks.doWait(delay);
  }
}

}  // namespace draivo
