#include "design/CycleBlocks.h"

#include <charconv>
#include <cmath>

#include "design/FieldRules.h"
#include "design/ProgramMarkers.h"
#include "nc/NumberFormat.h"

namespace draivo {
namespace {

void addLine(std::string& text, const std::string& line) {
  text += line;
  text += LineEnd;
}

std::string approachBlock(const CycleFields& f) {
  return "G00 X" + f.startX + " Z" + f.startZ + (f.coolant ? " M08 ;" : " ;");
}

std::string cycleBlock(const CycleFields& f) {
  std::string block =
      "G" + std::to_string(static_cast<int>(f.cycle)) + " X" + f.firstX + " Z" + f.firstZ;
  if (leadingValue(f.taper) != 0.0) block += " R" + f.taper;
  return block + " F" + f.feed + " ;";
}

std::string returnBlock(const CycleFields& f) {
  return "G00 X" + f.startX + " Z" + f.startZ + " ;";
}

// The value that the block text of a position stands for (15 significant digits), so that
// steps such as 0.2 do not pile up binary rounding from one cut to the next.
double asWritten(double position) {
  const std::string text = formatGeneral(position);
  double value = position;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

bool finite(double a, double b, double c) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

}  // namespace

CycleFields DefaultCycleFields(SingleCycle cycle) {
  CycleFields fields;
  fields.cycle = cycle;
  fields.step = cycle == SingleCycle::G94 ? "1" : "3";
  return fields;
}

CutPlan PlanFurtherCuts(double first, double last, double step, bool down) {
  CutPlan plan;
  if (!finite(first, last, step) || !(step > 0.0)) {
    plan.status = PlanStatus::InvalidStep;
    return plan;
  }
  const double delta = down ? -step : step;
  double lastWritten = first;
  // Going down the cuts run while last <= p, going up while last >= p.
  for (double p = asWritten(first + delta); down ? last <= p : last >= p;
       p = asWritten(p + delta)) {
    if (plan.cuts.size() == MaxFurtherCuts) {
      plan.status = PlanStatus::TooManyCuts;
      plan.cuts.clear();
      return plan;
    }
    plan.cuts.push_back(p);
    lastWritten = p;
  }
  // Going up the loop always ends beyond the last value, so the last value follows; going
  // down it follows only when the last written cut has not reached it yet.
  plan.finalCut = !down || last < lastWritten;
  return plan;
}

char FurtherCutAxis(SingleCycle cycle) {
  return cycle == SingleCycle::G94 ? 'Z' : 'X';
}

CutPlan PlanFurtherCuts(const CycleFields& f) {
  const bool facing = f.cycle == SingleCycle::G94;
  const double first = leadingValue(facing ? f.firstZ : f.firstX);
  const double last = leadingValue(f.lastCut);
  const bool down = facing || first > last;
  return PlanFurtherCuts(first, last, leadingValue(f.step), down);
}

CycleText BuildCycleText(const CycleFields& f) {
  CycleText result;
  const CutPlan plan = PlanFurtherCuts(f);
  result.status = plan.status;
  if (plan.status != PlanStatus::Ok) return result;
  const std::string axis(1, FurtherCutAxis(f.cycle));
  addLine(result.text, approachBlock(f));
  addLine(result.text, cycleBlock(f));
  for (const double p : plan.cuts) addLine(result.text, axis + formatGeneral(p) + " ;");
  if (plan.finalCut) addLine(result.text, axis + f.lastCut + " ;");
  addLine(result.text, returnBlock(f));
  return result;
}

}  // namespace draivo
