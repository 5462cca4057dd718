#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "PixelRecorder.h"
#include "render/Surface.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

using test::drawnPixels;
using test::Pixel;

TEST(QBColorTest, StandardTable) {
  const Colour expected[16] = {
      rgb(0, 0, 0),       rgb(0, 0, 128),   rgb(0, 128, 0),   rgb(0, 128, 128),
      rgb(128, 0, 0),     rgb(128, 0, 128), rgb(128, 128, 0), rgb(192, 192, 192),
      rgb(128, 128, 128), rgb(0, 0, 255),   rgb(0, 255, 0),   rgb(0, 255, 255),
      rgb(255, 0, 0),     rgb(255, 0, 255), rgb(255, 255, 0), rgb(255, 255, 255)};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(QBColor(i), expected[i]) << i;
  EXPECT_EQ(QBColor(4), 0x80u);  // red in the low byte
  EXPECT_EQ(QBColor(-1), Black);
  EXPECT_EQ(QBColor(16), Black);
}

TEST(SurfaceTest, StartsInTheBackgroundAndClearsToIt) {
  Surface s(4, 3);
  EXPECT_EQ(s.getPixel(3, 2), ButtonFace);
  s.setPixel(1, 1, Black);
  s.setBackColour(White);
  EXPECT_EQ(s.getPixel(1, 1), White);
  EXPECT_EQ(s.backColour(), White);
}

// Whether every pixel the step changes lies in the changed box the surface reports after it.
bool changesReported(Surface& s, const std::function<void(Surface&)>& step) {
  s.takeChanged();
  const std::vector<Colour> before = s.pixels();
  step(s);
  const PixelBox box = s.takeChanged();
  for (int row = 0; row < s.height(); ++row) {
    for (int column = 0; column < s.width(); ++column) {
      const Colour was = before[static_cast<std::size_t>(row * s.width() + column)];
      if (s.getPixel(column, row) != was && !box.contains(column, row)) return false;
    }
  }
  return true;
}

// Clearing fills only the part that was drawn on: whatever drew, nothing of it may stay. A
// window repaints only the changed box: whatever drew or cleared, it holds every change.
TEST(SurfaceTest, ClearLeavesNothingOfAnyDrawing) {
  Surface source(40, 30, Black);
  const std::function<void(Surface&)> drawings[] = {
      [](Surface& s) { s.setPixel(39, 29, Black); },
      [](Surface& s) { s.line(-5.4, 2.6, 50, 31); },
      [](Surface& s) {
        s.drawWidth = 2;
        s.line(39, 0, 39, 40);
      },
      [](Surface& s) {
        s.drawStyle = LineStyle::Dot;
        s.line(1e300, -3, -1e300, 28);
      },
      [](Surface& s) { s.arc(-6, -6, 46, 46, 0, 0, 0, 0); },
      [&](Surface& s) { s.stretchBlt(30, 20, 20, 20, source, 0, 0, 5, 5); },
  };
  for (std::size_t i = 0; i < std::size(drawings); ++i) {
    Surface s(40, 30, White);
    s.setPixel(0, 0, Black);
    s.clear();
    EXPECT_TRUE(changesReported(s, drawings[i])) << "drawing " << i;
    EXPECT_GT(drawnPixels(s).size(), 0u) << "drawing " << i;
    EXPECT_TRUE(changesReported(s, [](Surface& t) { t.clear(); })) << "drawing " << i;
    EXPECT_EQ(drawnPixels(s).size(), 0u) << "drawing " << i;
  }
}

TEST(SurfaceTest, PixelsOutsideAreIgnored) {
  Surface s(4, 3);
  const auto before = s.revision();
  for (const Pixel& p : {Pixel{-1, 0}, Pixel{4, 0}, Pixel{0, -1}, Pixel{0, 3},
                         Pixel{std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}}) {
    s.setPixel(p.first, p.second, Black);
    EXPECT_EQ(s.getPixel(p.first, p.second), InvalidColour);
  }
  EXPECT_EQ(s.revision(), before);
  EXPECT_EQ(drawnPixels(s).size(), 0u);
}

TEST(SurfaceTest, RevisionGrowsWithEveryChange) {
  Surface s(4, 3);
  auto last = s.revision();
  auto grew = [&] {
    const bool g = s.revision() > last;
    last = s.revision();
    return g;
  };
  s.setPixel(0, 0, Black);
  EXPECT_TRUE(grew());
  s.line(0, 1, 3, 1);
  EXPECT_TRUE(grew());
  s.clear();
  EXPECT_TRUE(grew());
  s.bitBlt(0, 0, 2, 2, Surface(2, 2, Black), 0, 0);
  EXPECT_TRUE(grew());
}

struct LineCase {
  const char* name;
  double z1, x1, z2, x2;
  std::set<Pixel> expected;
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.name;
}

class SurfaceLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(SurfaceLineTest, SetsTheStandardLinePixels) {
  const LineCase& c = GetParam();
  Surface s(10, 10);
  s.foreColour = Black;
  s.line(c.z1, c.x1, c.z2, c.x2);
  EXPECT_EQ(drawnPixels(s), c.expected);
  for (const Pixel& p : c.expected) EXPECT_EQ(s.getPixel(p.first, p.second), Black);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SurfaceLineTest,
    ::testing::Values(
        LineCase{"flat", 0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        LineCase{"flat_reversed", 3, 1, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        LineCase{"steep_leftwards", 5, 0, 3, 4, {{5, 0}, {5, 1}, {4, 2}, {4, 3}, {3, 4}}},
        LineCase{"diagonal", 2, 2, 5, 5, {{2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        LineCase{"single_point", 1.4, 2.6, 1.4, 2.6, {{1, 3}}},
        LineCase{"fractional_ends_rounded", 0.5, 0.49, 3, 0, {{1, 0}, {2, 0}, {3, 0}}},
        LineCase{"vertical", 7, 1, 7, 4, {{7, 1}, {7, 2}, {7, 3}, {7, 4}}},
        LineCase{"clipped_at_the_edges",
                 -5,
                 8,
                 14,
                 8,
                 {{0, 8}, {1, 8}, {2, 8}, {3, 8}, {4, 8}, {5, 8}, {6, 8}, {7, 8}, {8, 8}, {9, 8}}},
        LineCase{"entirely_outside", -20, -3, 30, -1, {}},
        LineCase{"not_a_number", std::nan(""), 0, 3, 3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Which pixels of a horizontal line from column 0 to `last` a pen sets.
std::vector<int> styledColumns(LineStyle style, int width, int last) {
  Surface s(40, 4);
  s.drawStyle = style;
  s.drawWidth = width;
  s.line(0, 1, last, 1);
  std::vector<int> columns;
  for (int c = 0; c < s.width(); ++c) {
    if (s.getPixel(c, 1) == Black) columns.push_back(c);
  }
  return columns;
}

TEST(SurfaceStyleTest, DotsThreeOnThreeOff) {
  EXPECT_EQ(styledColumns(LineStyle::Dot, 1, 13), (std::vector<int>{0, 1, 2, 6, 7, 8, 12, 13}));
}

TEST(SurfaceStyleTest, DashDotNineSixThreeSix) {
  EXPECT_EQ(styledColumns(LineStyle::DashDot, 1, 26),
            (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 17, 24, 25, 26}));
}

TEST(SurfaceStyleTest, PatternRunsFromTheStartPoint) {
  Surface s(40, 4);
  s.drawStyle = LineStyle::Dot;
  s.line(13, 1, 0, 1);  // drawn leftwards: the pattern starts at column 13
  std::vector<int> columns;
  for (int c = 0; c < s.width(); ++c) {
    if (s.getPixel(c, 1) == Black) columns.push_back(c);
  }
  EXPECT_EQ(columns, (std::vector<int>{0, 1, 5, 6, 7, 11, 12, 13}));
}

TEST(SurfaceStyleTest, WidePenIsSolidAndTwoPixelsThick) {
  Surface s(10, 5);
  s.drawStyle = LineStyle::Dot;
  s.drawWidth = 2;
  s.line(1, 1, 7, 1);
  std::set<Pixel> expected;
  for (int c = 1; c <= 8; ++c) {
    expected.emplace(c, 1);
    expected.emplace(c, 2);
  }
  EXPECT_EQ(drawnPixels(s), expected);
}

TEST(SurfaceLineTest, OtherColourLeavesTheForeColour) {
  Surface s(10, 3);
  s.foreColour = Blue;
  s.line(0, 1, 9, 1, White);
  EXPECT_EQ(s.getPixel(4, 1), White);
  EXPECT_EQ(s.foreColour, Blue);
}

TEST(SurfaceLineTest, HugeDiagonalSetsTheVisibleDiagonal) {
  Surface s;
  s.line(-1e9, -1e9, 1e9, 1e9);
  std::set<Pixel> expected;
  for (int i = 0; i < s.height(); ++i) expected.emplace(i, i);
  EXPECT_EQ(drawnPixels(s), expected);
}

TEST(SurfaceLineTest, AstronomicalEndsStillDrawTheVisiblePart) {
  Surface s;
  s.line(-1e300, 5, 1e300, 5);
  s.line(7, 1e300, 7, -1e300);
  for (int c = 0; c < s.width(); ++c) ASSERT_EQ(s.getPixel(c, 5), Black) << c;
  for (int r = 0; r < s.height(); ++r) ASSERT_EQ(s.getPixel(7, r), Black) << r;
  EXPECT_EQ(drawnPixels(s).size(), static_cast<std::size_t>(s.width() + s.height() - 1));
}

// The midpoint circle algorithm as it is usually written, with eight-way symmetry.
std::set<Pixel> midpointCircle(int cz, int cx, int r) {
  std::set<Pixel> pixels;
  int x = 0, y = r, p = 1 - r;
  auto plot8 = [&](int a, int b) {
    for (const Pixel& d : {Pixel{a, b}, Pixel{-a, b}, Pixel{a, -b}, Pixel{-a, -b}, Pixel{b, a},
                           Pixel{-b, a}, Pixel{b, -a}, Pixel{-b, -a}}) {
      pixels.emplace(cz + d.first, cx + d.second);
    }
  };
  plot8(x, y);
  while (x < y) {
    ++x;
    if (p < 0) {
      p += 2 * x + 1;
    } else {
      --y;
      p += 2 * (x - y) + 1;
    }
    plot8(x, y);
  }
  return pixels;
}

class SurfaceCircleTest : public ::testing::TestWithParam<int> {};

TEST_P(SurfaceCircleTest, EqualRaysDrawTheMidpointCircle) {
  const int r = GetParam();
  Surface s(100, 100);
  s.arc(50 - r, 50 - r, 50 + r, 50 + r, 50 + r, 50, 50 + r, 50);
  EXPECT_EQ(drawnPixels(s), midpointCircle(50, 50, r));
}

INSTANTIATE_TEST_SUITE_P(Radii, SurfaceCircleTest,
                         ::testing::Values(0, 1, 2, 3, 4, 5, 7, 10, 13, 17, 25, 31, 40, 49));

// Thousands of arcs of every size and position, with thin and wide pens, set the pixels they
// set before the pixels of an arc were decided without an angle for each: the hash of the
// picture was recorded then.
TEST(SurfaceArcTest, RandomArcsSetTheRecordedPixels) {
  std::mt19937 random(2718);
  auto any = [&](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
  Surface s(Surface::ViewWidth, Surface::ViewHeight, White);
  for (int i = 0; i < 3000; ++i) {
    const int cz = any(-60, 760), cx = any(-60, 430), r = any(0, i % 10 == 0 ? 900 : 60);
    s.foreColour = static_cast<Colour>(i + 1);
    s.drawWidth = i % 7 == 0 ? 2 : 1;
    // End points on the circle's axes, on its diagonals, or anywhere near it.
    const int pick = i % 3;
    auto endPoint = [&] {
      if (pick == 0) return std::pair{cz + r * any(-1, 1), cx + r * any(-1, 1)};
      return std::pair{cz + any(-r - 5, r + 5), cx + any(-r - 5, r + 5)};
    };
    const auto [z1, x1] = endPoint();
    const auto [z2, x2] = endPoint();
    s.arc(cz - r, cx - r, cz + r, cx + r, z1, x1, z2, x2);
  }
  std::uint64_t hash = 0xcbf29ce484222325;
  for (const Colour pixel : s.pixels()) hash = (hash ^ pixel) * 0x100000001b3;
  EXPECT_EQ(hash, 2205837566666370399u);
}

TEST(SurfaceArcTest, CounterClockwiseFromTheFirstRayToTheSecond) {
  Surface upperRight(41, 41);
  upperRight.arc(10, 10, 30, 30, 30, 20, 20, 10);  // from the right to the top
  Surface threeQuarters(41, 41);
  threeQuarters.arc(10, 10, 30, 30, 20, 10, 30, 20);  // from the top round to the right
  for (const Pixel& p : {Pixel{30, 20}, Pixel{27, 13}, Pixel{20, 10}}) {
    EXPECT_EQ(upperRight.getPixel(p.first, p.second), Black);
  }
  for (const Pixel& p : {Pixel{13, 13}, Pixel{10, 20}, Pixel{20, 30}, Pixel{27, 27}}) {
    EXPECT_EQ(upperRight.getPixel(p.first, p.second), ButtonFace);
    EXPECT_EQ(threeQuarters.getPixel(p.first, p.second), Black);
  }
  EXPECT_EQ(threeQuarters.getPixel(27, 13), ButtonFace);
  // Together both arcs make the whole circle.
  std::set<Pixel> both = drawnPixels(upperRight);
  both.merge(drawnPixels(threeQuarters));
  EXPECT_EQ(both, midpointCircle(20, 20, 10));
}

TEST(SurfaceArcTest, HugeCircleDrawsOnlyItsVisiblePart) {
  Surface s;
  const int r = 1000000000;
  s.arc(351 - r, 184, 351 + r, 184 + 2 * r, 351, 184, 351, 184);
  for (int c = 251; c <= 451; ++c) EXPECT_EQ(s.getPixel(c, 184), Black) << c;
  EXPECT_EQ(s.getPixel(351, 185), ButtonFace);
  EXPECT_EQ(s.getPixel(351, 183), ButtonFace);
}

TEST(SurfaceArcTest, ExtremeBoxDoesNotOverflow) {
  Surface s(50, 50);
  constexpr int lowest = std::numeric_limits<int>::min();
  constexpr int highest = std::numeric_limits<int>::max();
  s.arc(lowest, lowest, highest, highest, 0, 0, 10, 10);
  EXPECT_EQ(drawnPixels(s).size(), 0u);  // the circle lies far outside the picture
}

// A 4 x 3 picture whose pixels all differ: colour = column + 10 * row + 1.
Surface numbered() {
  Surface s(4, 3);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) s.setPixel(c, r, static_cast<Colour>(c + 10 * r + 1));
  }
  return s;
}

TEST(SurfaceCopyTest, BitBltIsClippedOnBothSides) {
  const Surface source = numbered();
  Surface dest(3, 3, White);
  dest.bitBlt(-1, 1, 4, 4, source, 0, 0);
  EXPECT_EQ(dest.getPixel(0, 0), White);
  EXPECT_EQ(dest.getPixel(0, 1), 2u);   // source (1, 0)
  EXPECT_EQ(dest.getPixel(2, 2), 14u);  // source (3, 1)
}

TEST(SurfaceCopyTest, BitBltWithinOnePicture) {
  Surface s = numbered();
  s.bitBlt(1, 0, 3, 3, s, 0, 0);  // shift right by one column
  EXPECT_EQ(s.getPixel(0, 0), 1u);
  EXPECT_EQ(s.getPixel(1, 0), 1u);
  EXPECT_EQ(s.getPixel(2, 0), 2u);
  EXPECT_EQ(s.getPixel(3, 2), 23u);
}

TEST(SurfaceCopyTest, StretchBltTakesTheNearestPixel) {
  const Surface source = numbered();
  Surface dest(8, 6, White);
  dest.stretchBlt(0, 0, 8, 6, source, 0, 0, 4, 3);
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 8; ++c) {
      EXPECT_EQ(dest.getPixel(c, r), source.getPixel(c / 2, r / 2)) << c << "," << r;
    }
  }
  Surface shrunk(2, 1, White);
  shrunk.stretchBlt(0, 0, 2, 1, source, 0, 0, 4, 3);
  EXPECT_EQ(shrunk.getPixel(0, 0), source.getPixel(1, 1));
  EXPECT_EQ(shrunk.getPixel(1, 0), source.getPixel(3, 1));
}

std::uint32_t readLittleEndian(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

TEST(SurfaceBmpTest, WritesBottomUpBgrRowsPaddedToFourBytes) {
  test::TempFolder folder;
  Surface s(5, 3, White);
  s.setPixel(0, 0, rgb(10, 20, 30));    // top left
  s.setPixel(4, 2, rgb(200, 100, 50));  // bottom right
  const std::string path = (folder.path() / "picture.bmp").string();
  ASSERT_TRUE(s.writeBmp(path));

  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  constexpr std::size_t rowSize = 16;  // 5 * 3 bytes, padded
  ASSERT_EQ(bytes.size(), 54 + 3 * rowSize);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(readLittleEndian(bytes, 2, 4), bytes.size());
  EXPECT_EQ(readLittleEndian(bytes, 10, 4), 54u);
  EXPECT_EQ(readLittleEndian(bytes, 18, 4), 5u);
  EXPECT_EQ(readLittleEndian(bytes, 22, 4), 3u);
  EXPECT_EQ(readLittleEndian(bytes, 28, 2), 24u);
  EXPECT_EQ(readLittleEndian(bytes, 30, 4), 0u);

  auto pixelAt = [&](int column, int row) {
    const std::size_t at =
        54 + static_cast<std::size_t>(2 - row) * rowSize + static_cast<std::size_t>(column) * 3;
    return rgb(static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
               static_cast<unsigned char>(bytes[at]));
  };
  EXPECT_EQ(pixelAt(0, 0), rgb(10, 20, 30));
  EXPECT_EQ(pixelAt(4, 2), rgb(200, 100, 50));
  EXPECT_EQ(pixelAt(2, 1), White);
  // Bottom row first: the file starts with row 2, whose first pixel is white.
  EXPECT_EQ(static_cast<unsigned char>(bytes[54]), 255);
  EXPECT_EQ(bytes[54 + 15], '\0');  // padding
}

TEST(SurfaceBmpTest, ReportsAFileThatCannotBeWritten) {
  test::TempFolder folder;
  Surface s(2, 2);
  EXPECT_FALSE(s.writeBmp((folder.path() / "missing" / "picture.bmp").string()));
  EXPECT_FALSE(s.writeBmp(folder.path().string()));  // a folder, not a file
}

}  // namespace
}  // namespace draivo
