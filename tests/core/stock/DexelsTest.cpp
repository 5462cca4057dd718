#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "stock/Dexels.h"
#include "support/DataTable.h"

namespace draivo::test {
namespace {

constexpr double Step = 0.01;
constexpr double SampleSpacing = 0.002;  // of the reference's nose positions along a path
constexpr double Tolerance = 1e-4;

std::vector<double> numbers(const std::string& text) {
  std::istringstream in(text);
  std::vector<double> values;
  for (double v; in >> v;) values.push_back(v);
  return values;
}

double radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}

// The stock by a plain reckoning: the nose disc placed at many points of the path, every
// column cut down to the lowest point of a disc over its centre, and to the bottom of a disc
// whose centre lies left of it (the insert and holder reach out to +Z).
struct ReferenceStock {
  double left = 0;
  std::vector<Interval> columns;

  double centreOf(std::size_t c) const { return left + (static_cast<double>(c) + 0.5) * Step; }
  void cutBelowDisc(PathPoint centre, double nose) {
    const auto first = static_cast<long>(std::floor((centre.z - nose - left) / Step));
    const auto last = static_cast<long>(std::ceil((centre.z + nose - left) / Step));
    for (long c = std::max(first, 0L); c <= last && c < static_cast<long>(columns.size()); ++c) {
      const double dz = centreOf(static_cast<std::size_t>(c)) - centre.z;
      if (std::fabs(dz) > nose) continue;
      Interval& m = columns[static_cast<std::size_t>(c)];
      m.hi = std::max(m.lo, std::min(m.hi, centre.r - std::sqrt(nose * nose - dz * dz)));
    }
  }
  template <typename PointAt>
  void sweep(double length, double nose, PointAt pointAt) {
    const int samples = std::max(2, static_cast<int>(std::ceil(length / SampleSpacing)));
    std::vector<double> body(columns.size(), std::numeric_limits<double>::infinity());
    for (int i = 0; i <= samples; ++i) {
      const PathPoint centre = pointAt(static_cast<double>(i) / samples);
      cutBelowDisc(centre, nose);
      const double first = std::max(0.0, std::ceil((centre.z - left) / Step - 0.5));
      if (first < static_cast<double>(columns.size())) {
        double& low = body[static_cast<std::size_t>(first)];
        low = std::min(low, centre.r - nose);
      }
    }
    double low = std::numeric_limits<double>::infinity();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      low = std::min(low, body[c]);
      columns[c].hi = std::max(columns[c].lo, std::min(columns[c].hi, low));
    }
  }
};

constexpr double Gone = -1;

double topOf(const Interval& m) {
  return m.hi > m.lo ? m.hi : Gone;
}

// Each sweep of the table cuts the stock as the nose disc placed along its path does, with the
// body above the nose taking everything outward; what measure() foresees is what remove()
// takes, and no piece lies below the bound that lets the column tree pass it by.
TEST(Dexels, SweepsCutAsTheNoseDiscAlongThePath) {
  std::optional<Dexels> stock;
  ReferenceStock reference;
  int row = 0;
  for (const TableRow& line : ReadTable("tables/stock_sweeps.rows")) {
    ++row;
    const std::vector<double> v = numbers(line.at(1));
    if (line.at(0) == "stock") {
      stock.emplace(v.at(0), v.at(1), Step, Interval{v.at(2), v.at(3)});
      reference.left = v.at(0);
      reference.columns.assign(stock->count(), Interval{v.at(2), v.at(3)});
      ASSERT_DOUBLE_EQ(stock->step(), Step);
      continue;
    }
    ASSERT_TRUE(stock) << "row " << row;
    std::vector<double> topsBefore;
    for (const Interval& column : reference.columns) topsBefore.push_back(topOf(column));
    const double nose = std::stod(line.at(2));
    std::vector<SweepPiece> pieces;
    if (line.at(0) == "line") {
      const PathPoint from{v.at(0), v.at(1)}, to{v.at(2), v.at(3)};
      pieces.push_back(SweepPiece::segment(from, to, nose));
      reference.sweep(std::hypot(to.z - from.z, to.r - from.r), nose, [&](double t) {
        return PathPoint{from.z + (to.z - from.z) * t, from.r + (to.r - from.r) * t};
      });
    } else {
      const PathPoint centre{v.at(0), v.at(1)};
      const double radius = v.at(2), a = radians(v.at(3)), b = radians(v.at(4));
      AddArcSweep(centre, radius, a, b, nose, pieces);
      reference.sweep(radius * (b - a), nose, [&](double t) {
        const double angle = a + (b - a) * t;
        return PathPoint{centre.z + radius * std::cos(angle), centre.r + radius * std::sin(angle)};
      });
    }
    const double before = stock->area();
    double deepest = 0;  // the most a piece took from one column, as the stock says
    for (const SweepPiece& piece : pieces) {
      for (std::size_t first = 0; first < stock->count(); first += 97) {
        const std::size_t last = std::min(first + 300, stock->count() - 1);
        double lowest = std::numeric_limits<double>::infinity();
        for (std::size_t c = first; c <= last; ++c) lowest = std::min(lowest, piece.lowest(stock->centreOf(c)));
        EXPECT_LE(piece.lowestOver(stock->centreOf(first), stock->centreOf(last)), lowest + 1e-12)
            << "row " << row << " columns " << first << "-" << last;
      }
      const Removal foreseen = stock->measure(piece);
      const Removal taken = stock->remove(piece);
      EXPECT_EQ(foreseen.deepest, taken.deepest) << "row " << row;
      EXPECT_EQ(foreseen.columns, taken.columns) << "row " << row;
      deepest = std::max(deepest, taken.deepest);
    }
    if (line.size() > 3 && !line.at(3).empty()) {
      EXPECT_NEAR(before - stock->area(), std::stod(line.at(3)), 3 * Step)
          << "row " << row;
    }
    int wrong = 0;
    double referenceDeepest = 0;
    for (std::size_t c = 0; c < stock->count(); ++c) {
      const double got = topOf(stock->column(c)), want = topOf(reference.columns[c]);
      referenceDeepest = std::max(referenceDeepest, topsBefore[c] - want);
      if (std::fabs(got - want) > Tolerance && ++wrong <= 3) {
        ADD_FAILURE() << "row " << row << " column at z " << stock->centreOf(c) << ": top " << got
                      << ", by the disc " << want;
      }
    }
    // A column the sweep took from is a column the disc lowered, by no more than that.
    EXPECT_LE(deepest, referenceDeepest + Tolerance) << "row " << row;
    EXPECT_EQ(deepest > Tolerance, referenceDeepest > Tolerance) << "row " << row;
  }
}

// The columns that changed are told once, and a stock that was cut reads less area.
TEST(Dexels, TellsTheColumnsThatChanged) {
  Dexels stock(-10, 10, Step, {0, 5});
  EXPECT_TRUE(stock.takeChanged().empty());
  stock.remove(SweepPiece::segment({-4, 4.5}, {-2, 4.5}, 0.4));
  const ColumnSpan changed = stock.takeChanged();
  ASSERT_FALSE(changed.empty());
  EXPECT_NEAR(stock.centreOf(changed.first), -4.4, Step);
  EXPECT_EQ(changed.last, stock.count() - 1);  // the insert reaches out to +Z
  EXPECT_TRUE(stock.takeChanged().empty());
  EXPECT_LT(stock.area(), 50.0);
}

}  // namespace
}  // namespace draivo::test
