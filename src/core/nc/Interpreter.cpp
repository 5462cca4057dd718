#include "nc/Interpreter.h"

#include <string_view>

#include "nc/BlockText.h"
#include "nc/CycleFrame.h"
#include "nc/ProgramList.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

using Expansion = void (*)(CycleFrame&);

// What a block needs besides its code before its cycle is expanded.
struct CycleEntry {
  std::string_view code;
  char requiredLetter;  // '\0' when none
  Expansion expand;
};

constexpr CycleEntry cycleTable[] = {
    {"70", '\0', expandFinishing},   {"71", 'R', expandRoughingZ},
    {"72", 'R', expandRoughingX},    {"73", '\0', expandPatternRepeat},
    {"76", 'P', expandThreading},    {"90", '\0', expandTurningCycle},
    {"92", '\0', expandTurningCycle}, {"94", '\0', expandFacingCycle},
};

// The two characters after the first "G" of the block ("" when there is no "G").
std::string_view firstGCode(std::string_view block) {
  const auto g = block.find('G');
  if (g == std::string_view::npos) return {};
  return block.substr(g + 1, 2);
}

const CycleEntry* cycleFor(std::string_view block) {
  if (contains(block, ":0")) return nullptr;
  const std::string_view code = firstGCode(block);
  for (const CycleEntry& entry : cycleTable) {
    if (entry.code != code) continue;
    if (entry.requiredLetter != '\0' && block.find(entry.requiredLetter) == std::string_view::npos) {
      return nullptr;
    }
    return &entry;
  }
  return nullptr;
}

}  // namespace

std::string_view CycleCodeOf(std::string_view block) {
  const CycleEntry* cycle = cycleFor(block);
  return cycle == nullptr ? std::string_view() : cycle->code;
}

void Interpreter::InterpretBlock(int index) {
  const std::string_view block = parts_.lstCommands.List(index);
  const CycleEntry* cycle = cycleFor(block);
  if (cycle == nullptr) {
    programBlock_.assign(block);  // the buffer keeps its room from block to block
    ExecuteBlock(programBlock_);
    return;
  }
  if (parts_.lstCommands.ListIndex() != index) parts_.lstCommands.setListIndex(index);
  CycleFrame frame(*this, index);
  cycle->expand(frame);
}

void Interpreter::JumpToBlockPoint(const std::string& block) {
  ViewState& view = parts_.view;
  const bool hasZ = contains(block, "Z");
  const bool hasX = contains(block, "X");
  if (!hasZ && !hasX) return;  // no word to go to: the pen stays where it is
  if (hasZ) view.TargetPointZ = view.ViewOriginZ + wordValue(block, 'Z', view.ZoomFactor);
  if (hasX) view.TargetPointX = view.ViewOriginX - wordValue(block, 'X', view.ZoomFactor) / 2;
  view.CurrentPointZ = view.TargetPointZ;
  view.CurrentPointX = view.TargetPointX;
}

}  // namespace draivo
