#include "stock/StockProfile.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "nc/NumberFormat.h"
#include "stock/Workpiece.h"

namespace draivo {
namespace {

constexpr double Decimals = 1e5;  // coordinates to 0.00001 of the unit
constexpr double MarginShare = 0.05;

std::string number(double value) {
  return formatGeneral(std::round(value * Decimals) / Decimals);
}

struct Vertex {
  double z, r;
};

// Leaves out the vertices in the middle of a level stretch.
std::vector<Vertex> simplified(const std::vector<Vertex>& line) {
  std::vector<Vertex> kept;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const bool level = i > 0 && i + 1 < line.size() && line[i - 1].r == line[i].r &&
                       line[i + 1].r == line[i].r;
    if (!level) kept.push_back(line[i]);
  }
  return kept;
}

// The outline of the material of the columns first to last, which all hold some: along its
// top from left to right, back along its bottom.
std::string band(const Dexels& stock, std::size_t first, std::size_t last) {
  std::vector<Vertex> top, bottom;
  const auto edge = [&](std::size_t column, bool right) {
    return stock.left() + static_cast<double>(column + (right ? 1 : 0)) * stock.step();
  };
  const auto add = [&](double z, std::size_t column) {
    top.push_back({z, stock.column(column).hi});
    bottom.push_back({z, stock.column(column).lo});
  };
  add(edge(first, false), first);
  for (std::size_t column = first; column <= last; ++column) add(stock.centreOf(column), column);
  add(edge(last, true), last);
  std::string points;
  const auto write = [&](const Vertex& v) {
    points += (points.empty() ? "" : " ") + number(v.z) + "," + number(-v.r);
  };
  for (const Vertex& v : simplified(top)) write(v);
  const std::vector<Vertex> under = simplified(bottom);
  for (auto v = under.rbegin(); v != under.rend(); ++v) write(*v);
  return "  <polygon points=\"" + points + "\"/>\n";
}

}  // namespace

std::string ProfileSvg(const Workpiece& workpiece) {
  const Dexels& stock = workpiece.stock();
  const BarBlank& blank = workpiece.blank();
  const std::string unit = workpiece.unit() == LengthUnit::Inch ? "in" : "mm";
  const double margin = MarginShare * std::max(blank.length, blank.diameter / 2);
  const double left = blank.face - blank.length - margin;
  const double width = blank.length + 2 * margin;
  const double height = blank.diameter / 2 + 2 * margin;
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width) + unit +
         "\" height=\"" + number(height) + unit + "\" viewBox=\"" + number(left) + " " +
         number(-(blank.diameter / 2 + margin)) + " " + number(width) + " " + number(height) +
         "\">\n";
  svg += "  <title>Werkstuk D" + formatGeneral(blank.diameter) + " L" +
         formatGeneral(blank.length) + " (" + unit + ")</title>\n";
  svg += "  <line x1=\"" + number(left) + "\" y1=\"0\" x2=\"" + number(left + width) +
         "\" y2=\"0\" stroke=\"blue\" stroke-width=\"" + number(margin / 20) +
         "\" stroke-dasharray=\"" + number(margin / 2) + " " + number(margin / 4) + "\"/>\n";
  svg += " <g fill=\"#c8c8c8\" stroke=\"none\">\n";
  const auto holds = [&](std::size_t column) {
    return stock.column(column).lo < stock.column(column).hi;
  };
  for (std::size_t first = 0; first < stock.count(); ++first) {
    if (!holds(first)) continue;
    std::size_t last = first;
    while (last + 1 < stock.count() && holds(last + 1)) ++last;
    svg += band(stock, first, last);
    first = last;
  }
  svg += " </g>\n</svg>\n";
  return svg;
}

}  // namespace draivo
