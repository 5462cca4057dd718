// The design builders with arbitrary field texts: the cycle plan, the cycle and tool block
// texts, the field rules and the cycle preview must not fail, and a refused plan writes
// nothing.
#include <string>

#include "FuzzSupport.h"
#include "design/CycleBlocks.h"
#include "design/CycleFieldRules.h"
#include "design/CyclePreview.h"
#include "design/FieldRules.h"
#include "design/ToolBlocks.h"
#include "render/Surface.h"

namespace {

constexpr std::size_t FieldCount = 14;
constexpr int PreviewWidth = 160;
constexpr int PreviewHeight = 120;

draivo::SingleCycle cycleOf(std::size_t choice) {
  constexpr draivo::SingleCycle cycles[] = {draivo::SingleCycle::G90, draivo::SingleCycle::G92,
                                            draivo::SingleCycle::G94};
  return cycles[choice % std::size(cycles)];
}

void checkCycle(draivo::CycleFields fields) {
  using draivo::CycleField;
  for (const CycleField field :
       {CycleField::StartX, CycleField::StartZ, CycleField::FirstX, CycleField::FirstZ,
        CycleField::Taper, CycleField::Feed, CycleField::LastCut, CycleField::Step}) {
    (void)draivo::CycleFieldValid(fields, field);
    const std::string& text = draivo::fieldText(fields, field);
    const draivo::ChangeRule rule = draivo::CycleChangeRule(fields.cycle, field);
    const std::string changed = draivo::applyChangeRule(rule, text);
    DRAIVO_FUZZ_CHECK(changed.empty() || changed == text);
  }

  const draivo::CutPlan plan = draivo::PlanFurtherCuts(fields);
  DRAIVO_FUZZ_CHECK(plan.cuts.size() <= draivo::MaxFurtherCuts);
  DRAIVO_FUZZ_CHECK(plan.status == draivo::PlanStatus::Ok || plan.cuts.empty());

  const draivo::CycleText text = draivo::BuildCycleText(fields);
  DRAIVO_FUZZ_CHECK(text.status == plan.status);
  DRAIVO_FUZZ_CHECK(text.status == draivo::PlanStatus::Ok || text.text.empty());

  const auto moves = draivo::CyclePreviewMoves(fields);
  DRAIVO_FUZZ_CHECK(plan.status == draivo::PlanStatus::Ok || moves.empty());
  draivo::Surface preview(PreviewWidth, PreviewHeight);
  draivo::DrawCyclePreview(preview, moves);
}

void checkTool(const std::vector<std::string>& f, std::size_t flags) {
  draivo::ToolFields tool;
  tool.inch = flags & 1;
  tool.feedPerMinute = flags & 2;
  tool.constantCutSpeed = flags & 4;
  tool.clockwise = flags & 8;
  tool.tool = f[0];
  tool.toolCorrection = f[1];
  tool.description = f[2];
  tool.maxTour = f[3];
  tool.cutSpeed = f[4];
  for (const bool empty : {true, false}) (void)draivo::BuildToolText(tool, empty);
  for (const std::string& text : f) {
    (void)draivo::toolNumberValid(text);
    (void)draivo::padToolNumber(text);
    (void)draivo::numberFieldValid(text, draivo::MaxTourRange);
    (void)draivo::leadingValue(text);
    (void)draivo::isEmptyOrSign(text);
    if (draivo::readsAsNumber(text)) DRAIVO_FUZZ_CHECK(!text.empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t choice = data[0];
  auto f = draivo::fuzz::splitParts(draivo::fuzz::asText(data + 1, size - 1), "\n", FieldCount);
  f.resize(FieldCount);

  draivo::CycleFields fields = draivo::DefaultCycleFields(cycleOf(choice));
  fields.coolant = (choice / 3) % 2 == 1;
  std::string* texts[] = {&fields.startX, &fields.startZ, &fields.firstX,  &fields.firstZ,
                          &fields.taper,  &fields.feed,   &fields.lastCut, &fields.step};
  // Empty parts keep the tab's defaults, so that short inputs still reach whole plans.
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    if (!f[i].empty()) *texts[i] = f[i];
  }
  checkCycle(fields);
  checkTool(std::vector<std::string>(f.begin() + 8, f.end()), choice / 6);
  return 0;
}
