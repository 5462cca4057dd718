#include "nc/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <limits>

namespace draivo {
namespace {

constexpr int significantDigits = 15;
constexpr double intLimit = 2147483647.0;

// Removes trailing zeros of a fixed-point text and the point itself when nothing follows it.
std::string trimFraction(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// Writes an exponent form as 1.5E+20 / 1E-07.
std::string exponentText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*E", significantDigits - 1, value);
  std::string text(buffer);
  const auto e = text.find('E');
  std::string mantissa = trimFraction(text.substr(0, e));
  std::string exponent = text.substr(e + 1);  // sign and digits
  const char sign = exponent[0];
  std::string digits = exponent.substr(1);
  while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
  return mantissa + "E" + sign + digits;
}

// The value written from its shortest round-trip digits, when they are at most 15 and the
// exponent is within the fixed form. A double lies closer to its shortest text than half a
// unit of the 15th digit, so that text is also the value rounded to 15 significant digits:
// the same text as the rounding below, without its cost. False when the fast way does not
// apply.
bool shortestFixed(double value, std::string& text) {
  char buffer[32];
  const char* end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
  const char* at = buffer;
  const bool negative = *at == '-';
  if (negative) ++at;
  char digits[24];
  int count = 0;
  for (; at != end && *at != 'e'; ++at) {
    if (*at != '.') digits[count++] = *at;
  }
  if (at == end || count > significantDigits) return false;
  int exponent = 0;
  if (std::from_chars(at + 1 + (at[1] == '+' ? 1 : 0), end, exponent).ec != std::errc()) {
    return false;
  }
  if (exponent >= significantDigits || exponent < -significantDigits) return false;
  if (negative) text += '-';
  if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text.append(digits, static_cast<std::size_t>(count));
    return true;
  }
  const int whole = exponent + 1;
  text.append(digits, static_cast<std::size_t>(std::min(count, whole)));
  if (count < whole) text.append(static_cast<std::size_t>(whole - count), '0');
  if (count > whole) {
    text += '.';
    text.append(digits + whole, static_cast<std::size_t>(count - whole));
  }
  return true;
}

}  // namespace

std::string formatGeneral(double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0.0) return "0";
  std::string fast;
  if (shortestFixed(value, fast)) return fast;
  // std::to_chars rounds exactly as printf does, at a fraction of its cost.
  char buffer[64];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                  std::chars_format::scientific, significantDigits - 1).ptr;
  const int exponent = std::atoi(std::string(std::find(buffer, end, 'e') + 1, end).c_str());
  if (exponent >= significantDigits || exponent < -significantDigits) return exponentText(value);
  // The exponent is below significantDigits here, so the count of decimals is never negative.
  const int decimals = significantDigits - 1 - exponent;
  end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  std::string text = trimFraction(std::string(buffer, end));
  if (text == "-0") return "0";
  return text;
}

std::string formatShort(double value) {
  std::string text = formatGeneral(value);
  if (text.rfind("0.", 0) == 0) return text.substr(1);
  if (text.rfind("-0.", 0) == 0) return "-" + text.substr(2);
  return text;
}

double roundToEven(double value) {
  if (!std::isfinite(value)) return value;
  return std::nearbyint(value);  // the default rounding mode rounds ties to even
}

double roundDecimals(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  const double scale = std::pow(10.0, decimals);
  const double scaled = value * scale;
  if (!std::isfinite(scaled)) return value;
  const double lower = std::floor(scaled);
  const double fraction = scaled - lower;
  constexpr double tieTolerance = 1e-9;
  double whole;
  if (std::fabs(fraction - 0.5) <= tieTolerance * std::max(1.0, std::fabs(scaled))) {
    whole = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
  } else {
    whole = std::nearbyint(scaled);
  }
  return whole / scale;
}

double roundTwoDecimals(double value) { return roundDecimals(value, 2); }

int roundPixel(double value) {
  if (!std::isfinite(value)) return 0;
  const double r = std::nearbyint(value);
  if (r > intLimit) return std::numeric_limits<int>::max();
  if (r < -intLimit) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

int floorPixel(double value) {
  if (!std::isfinite(value)) return 0;
  const double r = std::floor(value);
  if (r > intLimit) return std::numeric_limits<int>::max();
  if (r < -intLimit) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

}  // namespace draivo
