// G90 and G92 (turning, threading) and G94 (facing): one cut of four moves per program line,
// repeated for every following line without a "G".
#include "nc/BlockText.h"
#include "nc/CycleFrame.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"

namespace draivo {
namespace {

std::string fmt(double value) { return formatGeneral(value); }

struct SingleCycle {
  ProgramPoint start;
  double x{};
  double z{};
  double feed{};
  double taper{};
};

SingleCycle readCycle(const std::string& block, const ProgramPoint& start, double taperScale) {
  SingleCycle cycle;
  cycle.start = start;
  cycle.x = wordValue(block, 'X');
  cycle.z = wordValue(block, 'Z');
  cycle.feed = wordValue(block, 'F');
  cycle.taper = contains(block, "R") ? taperScale * wordValue(block, 'R') : 0.0;
  return cycle;
}

void turningCut(CycleFrame& frame, const SingleCycle& c, double x) {
  frame.execute("G00 X" + fmt(x + c.taper) + " ;");
  frame.execute("G01 Z" + fmt(c.z) + " X" + fmt(x - c.taper) + " F" + fmt(c.feed) + " ;");
  frame.execute("X" + fmt(c.start.x) + " ;");
  frame.execute(rapidTo(c.start));
}

void turningRepeat(CycleFrame& frame, const SingleCycle& c, double x) {
  frame.execute("X" + fmt(x + c.taper) + " ;");
  frame.execute("G01 Z" + fmt(c.z) + " X" + fmt(x - c.taper) + " ;");
  frame.execute("X" + fmt(c.start.x) + " ;");
  frame.execute("G00 Z" + fmt(c.start.z) + " ;");
}

void facingCut(CycleFrame& frame, const SingleCycle& c, double z) {
  frame.execute("G00 Z" + fmt(z + c.taper) + " ;");
  frame.execute("G01 X" + fmt(c.x) + " Z" + fmt(z - c.taper) + " F" + fmt(c.feed) + " ;");
  frame.execute("Z" + fmt(c.start.z) + " ;");
  frame.execute("G00 X" + fmt(c.start.x) + " ;");
}

void facingRepeat(CycleFrame& frame, const SingleCycle& c, double z) {
  frame.execute("Z" + fmt(z + c.taper) + " ;");
  frame.execute("G01 X" + fmt(c.x) + " Z" + fmt(z - c.taper) + " ;");
  frame.execute("Z" + fmt(c.start.z) + " ;");
  frame.execute("G00 X" + fmt(c.start.x) + " ;");
}

// Runs the repetition lines after the cycle block; the first line with a "G" ends them and
// is executed as an elementary block. At the end of the program the repetition ends there.
template <typename Repeat>
void repetitionLines(CycleFrame& frame, char letter, Repeat repeat) {
  std::string text;
  while (frame.showNext(text)) {
    if (contains(text, "G")) {
      frame.storeResume(frame.index());
      frame.execute(text);
      return;
    }
    repeat(wordValue(text, letter));
  }
  frame.storeResume(frame.index());
}

constexpr double TurningTaperScale = 2.0;  // the R of G90 and G92 is a radius
constexpr double FacingTaperScale = 1.0;

}  // namespace

void expandTurningCycle(CycleFrame& frame) {
  ProgramPoint start;
  if (!frame.startPoint(1, start)) return;
  const SingleCycle cycle = readCycle(frame.block(), start, TurningTaperScale);
  turningCut(frame, cycle, cycle.x);
  repetitionLines(frame, 'X', [&](double x) { turningRepeat(frame, cycle, x); });
}

void expandFacingCycle(CycleFrame& frame) {
  ProgramPoint start;
  if (!frame.startPoint(1, start)) return;
  const SingleCycle cycle = readCycle(frame.block(), start, FacingTaperScale);
  facingCut(frame, cycle, cycle.z);
  repetitionLines(frame, 'Z', [&](double z) { facingRepeat(frame, cycle, z); });
}

}  // namespace draivo
