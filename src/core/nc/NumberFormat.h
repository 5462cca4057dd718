#pragma once

#include <string>

namespace draivo {

// The general numeric format: "." as decimal point, no leading blank, no trailing zeros,
// no point for whole values, a zero before the point below 1, at most 15 significant digits.
std::string formatGeneral(double value);

// The short numeric form: the general format without the zero before the point (.4, -.25).
std::string formatShort(double value);

// Nearest whole number, a tie going to the even number.
double roundToEven(double value);

// Rounded to the given number of decimals, a tie going to the even digit. A value whose
// decimal text ends in exactly 5 at the next decimal counts as a tie even when the binary
// value lies a hair off it, so that 2.675 rounds like the number a reader sees.
double roundDecimals(double value, int decimals);

// The cycles' "rounded": two decimals, ties to even.
double roundTwoDecimals(double value);

// Nearest int for pixel coordinates, clamped to the int range (non-finite gives 0).
int roundPixel(double value);
int floorPixel(double value);

}  // namespace draivo
