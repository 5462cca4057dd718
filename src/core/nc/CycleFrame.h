#pragma once

#include <string>

#include "nc/Interpreter.h"

namespace draivo {

class ProgramList;

// A program point in program units (X a diameter).
struct ProgramPoint {
  double x{};
  double z{};
};

// The frame every cycle expansion shares: the cycle block, its start point, showing the
// program blocks a cycle reads, executing generated blocks and handing back the resume
// position. Reads never go past the program list: a missing block is reported once.
class CycleFrame {
 public:
  CycleFrame(Interpreter& interpreter, int index);

  const std::string& block() const { return block_; }
  int index() const { return index_; }

  // The X and Z words of the block `back` entries before the cycle block. Without such a
  // block the fault is reported and the cycle block is executed unchanged: false.
  bool startPoint(int back, ProgramPoint& point);
  // Advances ListIndex by one and shows that block (ListIndex, TopIndex, StopByLine).
  // False, with the fault reported, at the end of the program.
  bool showNext(std::string& text);
  // Shows the entry `i` (ListIndex, TopIndex, StopByLine with `shownText`).
  void show(int i, const std::string& shownText);
  void execute(const std::string& text) { interpreter_.ExecuteBlock(text); }
  // Stores the resume position: ListIndex, but never before `earliest`.
  void storeResume(int earliest);
  void fault(const std::string& text);

  ProgramList& list() { return interpreter_.parts().lstCommands; }
  Interpreter& interpreter() { return interpreter_; }
  const NcParts& parts() const { return interpreter_.parts(); }

 private:
  Interpreter& interpreter_;
  int index_;
  std::string block_;
};

// "G00 X" + x + " Z" + z + " ;"
std::string rapidTo(const ProgramPoint& point);

// Cycle expansions; each ends with its final ExecuteBlock.
void expandTurningCycle(CycleFrame& frame);   // G90, G92
void expandFacingCycle(CycleFrame& frame);    // G94
void expandFinishing(CycleFrame& frame);      // G70
void expandRoughingZ(CycleFrame& frame);      // G71
void expandRoughingX(CycleFrame& frame);      // G72
void expandPatternRepeat(CycleFrame& frame);  // G73
void expandThreading(CycleFrame& frame);      // G76

// Messages of the faults a cycle stops at.
inline constexpr const char* NoStartBlockMessage = "Cyclus zonder voorgaand blok: ";
inline constexpr const char* EndOfProgramMessage = "Cyclus loopt tot het einde van het programma: ";
inline constexpr const char* MissingContourEndMessage = "Het einde van de contour ontbreekt: ";
inline constexpr const char* PassLimitMessage = "Aantal doorgangen begrensd op ";

// The most passes a G73 or G76 cycle makes.
inline constexpr long long MaxCyclePasses = 10000;

}  // namespace draivo
