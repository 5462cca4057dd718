#include "design/CyclePreview.h"

#include <algorithm>
#include <cmath>

#include "design/FieldRules.h"

namespace draivo {
namespace {

// Share of the drawing's size by which the approach starts away from the start position.
constexpr double ApproachShare = 0.25;
constexpr double MinimumApproach = 1.0;

struct Point {
  double z, x;
};

class MoveList {
 public:
  explicit MoveList(Point start) : at_(start) {}
  void rapid(Point to) { add(to, true); }
  void feed(Point to) { add(to, false); }
  std::vector<PreviewMove> moves;

 private:
  void add(Point to, bool isRapid) {
    moves.push_back({at_.z, at_.x, to.z, to.x, isRapid});
    at_ = to;
  }
  Point at_;
};

struct CycleValues {
  Point start, end;  // start position and end point of the first cut
  double taper;
};

// One pass of a longitudinal cycle ending at diameter x, as the interpreter expands it.
void turningPass(MoveList& list, const CycleValues& v, double x) {
  list.rapid({v.start.z, x + v.taper});
  list.feed({v.end.z, x - v.taper});
  list.feed({v.end.z, v.start.x});
  list.rapid(v.start);
}

// One pass of the facing cycle ending at z.
void facingPass(MoveList& list, const CycleValues& v, double z) {
  list.rapid({z + v.taper, v.start.x});
  list.feed({z - v.taper, v.end.x});
  list.feed({v.start.z, v.end.x});
  list.rapid(v.start);
}

double extentOf(const std::vector<PreviewMove>& moves) {
  double low = 0, high = 0;
  bool first = true;
  for (const PreviewMove& m : moves) {
    for (const double v : {m.z1, m.z2, m.x1 / 2, m.x2 / 2}) {
      low = first ? v : std::min(low, v);
      high = first ? v : std::max(high, v);
      first = false;
    }
  }
  return high - low;
}

bool allFinite(const std::vector<PreviewMove>& moves) {
  return std::all_of(moves.begin(), moves.end(), [](const PreviewMove& m) {
    return std::isfinite(m.z1) && std::isfinite(m.x1) && std::isfinite(m.z2) && std::isfinite(m.x2);
  });
}

}  // namespace

std::vector<PreviewMove> CyclePreviewMoves(const CycleFields& f) {
  const CutPlan plan = PlanFurtherCuts(f);
  if (plan.status != PlanStatus::Ok) return {};
  const bool facing = f.cycle == SingleCycle::G94;
  const double r = leadingValue(f.taper);
  const CycleValues v{{leadingValue(f.startZ), leadingValue(f.startX)},
                      {leadingValue(f.firstZ), leadingValue(f.firstX)},
                      facing ? r : 2 * r};
  std::vector<double> passes{facing ? v.end.z : v.end.x};
  passes.insert(passes.end(), plan.cuts.begin(), plan.cuts.end());
  if (plan.finalCut) passes.push_back(leadingValue(f.lastCut));

  MoveList cuts(v.start);
  for (const double p : passes) facing ? facingPass(cuts, v, p) : turningPass(cuts, v, p);
  cuts.rapid(v.start);  // the return block

  const double away = std::max(extentOf(cuts.moves) * ApproachShare, MinimumApproach);
  MoveList all({v.start.z + away, v.start.x + 2 * away});
  all.rapid(v.start);
  all.moves.insert(all.moves.end(), cuts.moves.begin(), cuts.moves.end());
  const bool drawable = allFinite(all.moves) && std::isfinite(extentOf(all.moves));
  return drawable ? all.moves : std::vector<PreviewMove>{};
}

PreviewFrame::PreviewFrame(const std::vector<PreviewMove>& moves, int width, int height) {
  double maxZ = 0;
  bool first = true;
  for (const PreviewMove& m : moves) {
    for (const Point p : {Point{m.z1, m.x1 / 2}, Point{m.z2, m.x2 / 2}}) {
      minZ_ = first ? p.z : std::min(minZ_, p.z);
      maxZ = first ? p.z : std::max(maxZ, p.z);
      minR_ = first ? p.x : std::min(minR_, p.x);
      maxR_ = first ? p.x : std::max(maxR_, p.x);
      first = false;
    }
  }
  const double innerWidth = std::max(width - 2 * Margin, 1);
  const double innerHeight = std::max(height - 2 * Margin, 1);
  const double spanZ = maxZ - minZ_;
  const double spanR = maxR_ - minR_;
  if (spanZ > 0 && spanR > 0) {
    scale_ = std::min(innerWidth / spanZ, innerHeight / spanR);
  } else if (spanZ > 0) {
    scale_ = innerWidth / spanZ;
  } else if (spanR > 0) {
    scale_ = innerHeight / spanR;
  }
  if (!std::isfinite(scale_) || scale_ <= 0) scale_ = 1;
  left_ = Margin + (innerWidth - spanZ * scale_) / 2;
  bottom_ = height - Margin - (innerHeight - spanR * scale_) / 2;
}

void DrawCyclePreview(Surface& surface, const std::vector<PreviewMove>& moves) {
  surface.setBackColour(PreviewBackground);
  if (moves.empty()) return;
  const PreviewFrame frame(moves, surface.width(), surface.height());
  surface.drawWidth = 1;
  if (frame.holdsAxis()) {
    surface.foreColour = PreviewAxisColour;
    surface.drawStyle = LineStyle::DashDot;
    surface.line(0, frame.row(0), surface.width() - 1, frame.row(0));
  }
  for (const PreviewMove& m : moves) {
    surface.foreColour = m.rapid ? PreviewRapidColour : PreviewFeedColour;
    surface.drawStyle = m.rapid ? LineStyle::Dot : LineStyle::Solid;
    surface.line(frame.column(m.z1), frame.row(m.x1), frame.column(m.z2), frame.row(m.x2));
  }
}

}  // namespace draivo
