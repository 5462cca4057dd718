#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>

#include "nc/NumberFormat.h"
#include "support/DataTable.h"
#include "time/TimeTable.h"

namespace draivo {
namespace {

// Numbers as blocks, status rows and time tables write them.
TEST(NumberFormat, WritesNumbersAsText) {
  const std::map<std::string, std::function<std::string(double)>> functions = {
      {"formatGeneral", formatGeneral},
      {"formatShort", formatShort},
      {"FormatDuration", FormatDuration}};
  for (const auto& row : test::ReadTable("tables/number_text.rows")) {
    const double value = std::strtod(row.at(1).c_str(), nullptr);
    EXPECT_EQ(functions.at(row.at(0))(value), row.at(2)) << row.at(0) << " " << row.at(1);
  }
}

// The general form is the value rounded to 15 significant digits (as printf's "%.14e" finds
// them) in fixed form without trailing zeros, or the exponent form outside 1E-15 to 1E+15.
std::string generalByPrintf(double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  if (value == 0 || exponent >= 15 || exponent < -15) return formatGeneral(value);
  std::snprintf(buffer, sizeof buffer, "%.*f", 14 - exponent, value);
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

TEST(NumberFormat, GeneralFormIsTheValueToFifteenDigits) {
  std::mt19937_64 random(150);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int i = 0; i < 50000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(random() % 36) - 18);
    const double values[] = {
        std::round(unit(random) * 1e6) / 100,             // two decimals, as programs write them
        unit(random) * scale,                             // any digits, any size
        (std::round(unit(random) * 1e4) / 10) / 3.4 * 2,  // pixels turned back into millimetres
        std::bit_cast<double>(random()),                  // any bit pattern
    };
    for (const double value : values) {
      if (!std::isfinite(value)) continue;
      ASSERT_EQ(formatGeneral(value), generalByPrintf(value)) << std::hexfloat << value;
    }
  }
}

TEST(NumberFormat, RoundingTiesGoToEven) {
  const std::map<std::string, std::function<double(double)>> functions = {
      {"roundTwoDecimals", roundTwoDecimals},
      {"roundToEven", roundToEven},
      {"roundPixel", [](double v) { return static_cast<double>(roundPixel(v)); }},
      {"floorPixel", [](double v) { return static_cast<double>(floorPixel(v)); }}};
  for (const auto& row : test::ReadTable("tables/rounding.rows")) {
    const double value = std::strtod(row.at(1).c_str(), nullptr);
    EXPECT_DOUBLE_EQ(functions.at(row.at(0))(value), std::strtod(row.at(2).c_str(), nullptr))
        << row.at(0) << " " << row.at(1);
  }
}

}  // namespace
}  // namespace draivo
