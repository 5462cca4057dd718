#include <algorithm>
#include <map>
#include <sstream>

#include "core/render/Transcript.h"
#include "design/CycleFieldRules.h"
#include "design/CyclePreview.h"
#include "design/ProgramEnd.h"
#include "design/ToolBlocks.h"

namespace draivo {
namespace {

using test::Words;

const std::map<std::string, CycleField> FieldNames = {
    {"startX", CycleField::StartX}, {"startZ", CycleField::StartZ}, {"firstX", CycleField::FirstX},
    {"firstZ", CycleField::FirstZ}, {"taper", CycleField::Taper},   {"feed", CycleField::Feed},
    {"lastCut", CycleField::LastCut}, {"step", CycleField::Step}};

const std::map<std::string, FieldRange> Ranges = {{"tool", ToolNumberRange},
                                                  {"maxtour", MaxTourRange},
                                                  {"cutspeed", CutSpeedRange},
                                                  {"spindlespeed", SpindleSpeedRange}};

const char* statusName(PlanStatus status) {
  return status == PlanStatus::Ok ? "ok" : status == PlanStatus::InvalidStep ? "invalid step"
                                                                             : "too many cuts";
}

// "G90 startX=52 coolant ...": a tab of the cycle dialog from its defaults.
CycleFields cycleFields(const Words& w) {
  CycleFields f = DefaultCycleFields(static_cast<SingleCycle>(std::stoi(w.at(1).substr(1))));
  for (std::size_t i = 2; i < w.size(); ++i) {
    const std::size_t is = w[i].find('=');
    if (w[i] == "coolant") f.coolant = true;
    if (is != std::string::npos) fieldText(f, FieldNames.at(w[i].substr(0, is))) = w[i].substr(is + 1);
  }
  return f;
}

// "inch perminute tool=05 ...": the tool dialog from its defaults.
ToolFields toolFields(const Words& w) {
  ToolFields f;
  for (std::size_t i = 2; i < w.size(); ++i) {
    const std::string key = w[i].substr(0, w[i].find('='));
    const std::string value = w[i].substr(std::min(w[i].size(), key.size() + 1));
    f.inch = f.inch || key == "inch";
    f.feedPerMinute = f.feedPerMinute || key == "perminute";
    f.constantCutSpeed = f.constantCutSpeed && key != "g97";
    f.clockwise = f.clockwise && key != "ccw";
    if (key == "tool") f.tool = value;
    if (key == "correction") f.toolCorrection = value;
    if (key == "description") f.description = value;
    if (key == "maxtour") f.maxTour = value;
    if (key == "speed") f.cutSpeed = value;
  }
  return f;
}

// Program text, one quoted line per line end.
void printText(std::ostream& out, const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
    out << test::quoted(text.substr(at, end - at)) << "\n";
    at = end;
  }
}

void printPlan(std::ostream& out, const CutPlan& plan) {
  out << statusName(plan.status) << ", " << plan.cuts.size() << " cuts:";
  for (std::size_t i = 0; i < plan.cuts.size(); ++i) {
    if (plan.cuts.size() > 12 && i == 3) {
      out << " ...";
      i = plan.cuts.size() - 3;
    }
    out << " " << plan.cuts[i];
  }
  out << (plan.finalCut ? ", final cut" : "") << "\n";
}

// The preview's moves and what drawing them leaves on a 200 x 150 picture: the pixels of
// each colour and the box of everything drawn.
void printPreview(std::ostream& out, const std::vector<PreviewMove>& moves) {
  for (const PreviewMove& m : moves)
    out << (m.rapid ? "rapid " : "feed ") << m.z1 << " " << m.x1 << " to " << m.z2 << " " << m.x2 << "\n";
  Surface s(200, 150);
  s.setPixel(3, 3, Black);
  DrawCyclePreview(s, moves);
  int left = 200, top = 150, right = -1, bottom = -1;
  std::map<std::string, int> counts;
  for (int r = 0; r < 150; ++r)
    for (int c = 0; c < 200; ++c) {
      const Colour p = s.getPixel(c, r);
      if (p == PreviewBackground) continue;
      ++counts[p == PreviewFeedColour ? "feed" : p == PreviewRapidColour ? "rapid"
               : p == PreviewAxisColour  ? "axis" : "other"];
      left = std::min(left, c), right = std::max(right, c);
      top = std::min(top, r), bottom = std::max(bottom, r);
    }
  out << "drawn";
  for (const auto& [colour, count] : counts) out << " " << colour << " " << count;
  if (right >= 0) out << " in " << left << ".." << right << " x " << top << ".." << bottom;
  out << "\n";
}

// Runs the design dialogs' rules. Fields: startX startZ firstX firstZ taper feed lastCut step.
//   cycle G90|G92|G94 [FIELD=TEXT ...] [coolant]    the cycle blocks from a fresh tab
//   plan G9x FIELD=TEXT ..., plan FIRST LAST STEP down|up    the further cuts
//   preview G9x FIELD=TEXT ...        the preview's moves and what they draw
//   tool empty|more [inch] [perminute] [g97] [ccw] [tool=..] [correction=..] [description=..]
//        [maxtour=..] [speed=..]      the tool blocks on an empty or a non-empty design
//   end, change signed|unsigned TEXT, leading TEXT, valid G9x FIELD=TEXT
//   range tool|maxtour|cutspeed|spindlespeed TEXT, toolnumber TEXT
class DesignSession {
 public:
  std::string run(const Words& w) {
    std::ostringstream out;
    out.precision(15);
    const std::string& c = w[0];
    if (c == "cycle") {
      const CycleText result = BuildCycleText(cycleFields(w));
      if (result.status != PlanStatus::Ok) out << statusName(result.status) << "\n";
      printText(out, result.text);
    } else if (c == "plan" && w.size() == 5) {
      printPlan(out, PlanFurtherCuts(std::stod(w[1]), std::stod(w[2]), std::stod(w[3]), w[4] == "down"));
    } else if (c == "plan") {
      printPlan(out, PlanFurtherCuts(cycleFields(w)));
    } else if (c == "preview") {
      printPreview(out, CyclePreviewMoves(cycleFields(w)));
    } else if (c == "tool") {
      printText(out, BuildToolText(toolFields(w), w.at(1) == "empty"));
    } else if (c == "end") {
      printText(out, ProgramEndText());
    } else if (c == "change") {
      out << test::quoted(applyChangeRule(w[1] == "signed" ? ChangeRule::Signed : ChangeRule::Unsigned, w[2])) << "\n";
    } else if (c == "leading") {
      out << leadingValue(w[1]) << "\n";
    } else if (c == "valid") {
      // valid G90 field=text: whether the field may be left, the other fields of a tab at X52 Z2
      // with its first cut at X48 Z-30 (G94: X0 Z-1).
      const bool facing = w[1] == "G94";
      Words tab = {"", w[1], "startX=52", "startZ=2", facing ? "firstX=0" : "firstX=48",
                   facing ? "firstZ=-1" : "firstZ=-30", w[2]};
      const CycleField field = FieldNames.at(w[2].substr(0, w[2].find('=')));
      const CycleFields f = cycleFields(tab);
      out << (CycleFieldValid(f, field) ? "valid" : "refused") << ", "
          << (CycleChangeRule(f.cycle, field) == ChangeRule::Signed ? "signed" : "unsigned") << "\n";
    } else if (c == "range") {
      out << (numberFieldValid(w[2], Ranges.at(w[1])) ? "valid" : "refused") << "\n";
    } else if (c == "toolnumber") {
      out << (toolNumberValid(w[1]) ? "valid" : "refused") << ", padded " << test::quoted(padToolNumber(w[1])) << "\n";
    } else {
      throw std::invalid_argument("unknown command " + c);
    }
    return out.str();
  }
};

DRAIVO_TRANSCRIPT_TEST(DesignTranscript, DesignSession);

}  // namespace
}  // namespace draivo
