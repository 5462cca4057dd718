#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "nc/NumberFormat.h"

namespace draivo {
namespace {

struct FormatCase {
  double value;
  const char* general;
  const char* shortForm;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.general; }

class NumberFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormatTest, WritesBothForms) {
  EXPECT_EQ(formatGeneral(GetParam().value), GetParam().general);
  EXPECT_EQ(formatShort(GetParam().value), GetParam().shortForm);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberFormatTest,
    ::testing::Values(FormatCase{52, "52", "52"}, FormatCase{2.5, "2.5", "2.5"},
                      FormatCase{0.25, "0.25", ".25"}, FormatCase{-0.25, "-0.25", "-.25"},
                      FormatCase{0.4, "0.4", ".4"}, FormatCase{12.35 - 0.1, "12.25", "12.25"},
                      FormatCase{20.4, "20.4", "20.4"}, FormatCase{0, "0", "0"},
                      FormatCase{-0.0, "0", "0"}, FormatCase{-3, "-3", "-3"},
                      FormatCase{1.0 / 3.0, "0.333333333333333", ".333333333333333"},
                      FormatCase{123456.789012345678, "123456.789012346", "123456.789012346"},
                      FormatCase{19.4 - 0.2, "19.2", "19.2"},
                      FormatCase{1e15, "1E+15", "1E+15"}, FormatCase{1.5e-20, "1.5E-20", "1.5E-20"},
                      FormatCase{std::numeric_limits<double>::infinity(), "0", "0"}));

struct RoundCase {
  double value;
  double rounded;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.value; }

// The general format is the value rounded to 15 significant digits (as printf's "%.14e"
// finds them) in fixed form without trailing zeros, or the exponent form outside 1E-15 to
// 1E+15: the same text for numbers of every kind and size.
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

TEST(NumberFormatTest, GeneralFormIsTheValueToFifteenDigits) {
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

class RoundTwoDecimalsTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTwoDecimalsTest, TiesGoToEven) {
  EXPECT_DOUBLE_EQ(roundTwoDecimals(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundTwoDecimalsTest,
                         ::testing::Values(RoundCase{0.125, 0.12}, RoundCase{0.375, 0.38},
                                           RoundCase{2.675, 2.68}, RoundCase{-0.125, -0.12},
                                           RoundCase{4.117647, 4.12}, RoundCase{47, 47},
                                           RoundCase{1.004999, 1.0}));

TEST(RoundToEvenTest, WholeNumbers) {
  EXPECT_EQ(roundToEven(6.8), 7);
  EXPECT_EQ(roundToEven(2.5), 2);
  EXPECT_EQ(roundToEven(3.5), 4);
  EXPECT_EQ(roundToEven(-2.5), -2);
}

TEST(PixelRoundingTest, ClampsToTheIntRange) {
  EXPECT_EQ(roundPixel(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(floorPixel(-1e300), std::numeric_limits<int>::min());
  EXPECT_EQ(roundPixel(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(floorPixel(-0.5), -1);
}

}  // namespace
}  // namespace draivo
