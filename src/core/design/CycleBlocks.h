#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace draivo {

// The single cycles the cycle dialog writes, by their G number.
enum class SingleCycle { G90 = 90, G92 = 92, G94 = 94 };

// The texts of one tab of the cycle dialog, as typed.
struct CycleFields {
  SingleCycle cycle = SingleCycle::G90;
  std::string startX = "0";  // start position, X as a diameter
  std::string startZ = "0";
  bool coolant{};            // "Koelwater aan"
  std::string firstX = "0";  // first cut
  std::string firstZ = "0";
  std::string taper = "0";    // R word
  std::string feed = "0.2";   // F word
  std::string lastCut = "0";  // X (G90, G92) or Z (G94) of the last cut
  std::string step = "3";     // step per cut
};

// Defaults of a freshly opened tab.
CycleFields DefaultCycleFields(SingleCycle cycle);

// More further cuts than this are refused rather than written.
inline constexpr std::size_t MaxFurtherCuts = 10000;

enum class PlanStatus {
  Ok,
  InvalidStep,  // the step is not a positive finite number, so the cuts would never end
  TooManyCuts,  // more than MaxFurtherCuts further cuts
};

// The positions of the cuts after the first one.
struct CutPlan {
  PlanStatus status = PlanStatus::Ok;
  std::vector<double> cuts;  // written one block each, in order
  bool finalCut{};           // whether the last-cut value follows as its own block
};

// Steps from `first` towards `last` by `step`, down or up. A refused plan holds no cuts.
CutPlan PlanFurtherCuts(double first, double last, double step, bool down);

// The plan of a tab: G94 always cuts down, G90 and G92 down when the first X exceeds the last.
CutPlan PlanFurtherCuts(const CycleFields& fields);

// The letter of the axis that the further cuts move: "Z" for G94, "X" otherwise.
char FurtherCutAxis(SingleCycle cycle);

struct CycleText {
  PlanStatus status = PlanStatus::Ok;
  std::string text;  // empty unless status is Ok
};

// The blocks of one cycle, each ended by CR LF: the approach, the cycle block with the
// first cut, one block per further cut, the final cut and the return to the start position.
CycleText BuildCycleText(const CycleFields& fields);

}  // namespace draivo
