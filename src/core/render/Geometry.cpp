#include "render/Geometry.h"

#include <cmath>

#include "nc/NumberFormat.h"

namespace draivo {
namespace {

// Degrees per radian as the drawing has always computed them: with 3.141, not pi.
constexpr double degreesPerRadian = 180 / 3.141;
constexpr int comparisonDecimals = 3;

// A computed value replaces the working value only when it is a number: a step that would
// fault (division by zero, root of a negative, overflow) leaves the previous value in place.
void assignIfFinite(double& target, double value) {
  if (std::isfinite(value)) target = value;
}

// The centre coordinate rounded to three decimals, then to a whole pixel.
void assignCentre(double& target, double value) {
  const double threeDecimals = roundDecimals(value, comparisonDecimals);
  assignIfFinite(target, std::floor(threeDecimals + 0.5));
}

// The angle of a point around the centre, θ being the angle from the reference above it.
double quadrantAngle(double theta, double pz, double px, double cz, double cx) {
  const double z = roundDecimals(pz, comparisonDecimals);
  const double c = roundDecimals(cz, comparisonDecimals);
  if (z < c) return theta + 180;
  if (z > c) return 180 - theta;
  return roundDecimals(px, comparisonDecimals) < roundDecimals(cx, comparisonDecimals) ? 180 : 0;
}

}  // namespace

double Distance(double z1, double x1, double z2, double x2) {
  const double dz = std::fabs(z2 - z1);
  const double dx = std::fabs(x2 - x1);
  return std::sqrt(dz * dz + dx * dx);
}

std::optional<double> ArcCos(double c) {
  if (c == 1) return 0.0;
  if (!(c > -1 && c < 1)) return {};  // also rejects a value that is no number
  return std::atan(-c / std::sqrt(1 - c * c)) + 2 * std::atan(1.0);
}

void ArcCentre(ArcResults& results, double z1, double x1, double z2, double x2, double r,
               bool side) {
  double d = 0, h = 0, q = 0, column = 0, row = 0;
  assignIfFinite(d, std::sqrt((z2 - z1) * (z2 - z1) + (x2 - x1) * (x2 - x1)));
  const double square = r * r - (d / 2) * (d / 2);
  if (square >= 0) assignIfFinite(h, std::sqrt(square));
  const double mz = (z1 + z2) / 2;
  assignIfFinite(q, std::sqrt((x2 - x1) * (x2 - x1) + (z2 - z1) * (z2 - z1)));
  if (q != 0) {
    const double offsetZ = (x2 - x1) * h / q;
    assignIfFinite(column, side ? mz + offsetZ : mz - offsetZ);
  }
  assignCentre(results.ArcCentreZ, column);
  const double mx = (x1 + x2) / 2;
  if (q != 0) {
    const double offsetX = (z2 - z1) * h / q;
    assignIfFinite(row, side ? mx - offsetX : mx + offsetX);
  }
  assignCentre(results.ArcCentreX, row);
}

void ArcAngles(ArcResults& results, double cz, double cx, double r, double zs, double xs, double ze,
               double xe) {
  AnglesFromReference(results, cz, cx, cz, cx - r, zs, xs, ze, xe);
}

void AnglesFromReference(ArcResults& results, double cz, double cx, double rz, double rx, double zs,
                         double xs, double ze, double xe) {
  // The working values are shared by both points, so a failing step on the end point
  // reuses what the start point left.
  double a = 0, b = 0, c = 0, k = 0, theta = 0;
  auto angleOf = [&](double pz, double px) {
    assignIfFinite(a, Distance(cz, cx, rz, rx));
    assignIfFinite(b, Distance(cz, cx, pz, px));
    assignIfFinite(c, Distance(pz, px, rz, rx));
    const double divisor = b * a * -2;
    if (divisor != 0 && std::isfinite(divisor))
      assignIfFinite(k, (c * c - b * b - a * a) / divisor);
    if (const auto radians = ArcCos(k)) theta = *radians;
    assignIfFinite(theta, theta * degreesPerRadian);
    return formatGeneral(quadrantAngle(theta, pz, px, cz, cx));
  };
  results.ArcStartAngle = angleOf(zs, xs);
  results.ArcEndAngle = angleOf(ze, xe);
}

}  // namespace draivo
