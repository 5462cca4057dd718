#pragma once

#include <optional>
#include <string>

namespace draivo {

// Results of the arc geometry, read by the path drawing after each call. Angles are texts in
// degrees ("" = not set): 0 below the centre on the screen, 90 to the right, counter-clockwise.
struct ArcResults {
  double ArcCentreZ{};
  double ArcCentreX{};
  std::string ArcStartAngle;
  std::string ArcEndAngle;
};

double Distance(double z1, double x1, double z2, double x2);

// Inverse cosine in radians; no value where the formula faults (c = -1 or |c| > 1).
std::optional<double> ArcCos(double c);

// Centre of the circle of radius r through P1 and P2, rounded to whole pixels. A failing
// step keeps its previous value (so P1 = P2 gives (0, 0), a too small r the chord midpoint).
void ArcCentre(ArcResults& results, double z1, double x1, double z2, double x2, double r,
               bool side);

// Start and end angles of the points around the centre (reference straight above it).
void ArcAngles(ArcResults& results, double cz, double cx, double r, double zs, double xs,
               double ze, double xe);
void AnglesFromReference(ArcResults& results, double cz, double cx, double rz, double rx,
                         double zs, double xs, double ze, double xe);

}  // namespace draivo
