// G70 (finishing) and G73 (pattern repeat): the contour between the P and Q sequence numbers
// run as written, or several times with a shrinking shift.
#include <cmath>

#include "nc/BlockText.h"
#include "nc/ContourTools.h"
#include "nc/CycleFrame.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"

namespace draivo {

void expandFinishing(CycleFrame& frame) {
  ProgramPoint start;
  if (!frame.startPoint(1, start)) return;
  const std::string startBlock = rapidTo(start);
  const std::string lastKey = sequenceKey(frame.block(), 'Q');
  // Without its last block the walk would run every block after the contour here, and the
  // run would run them again after the cycle: the cycle stops before anything is drawn.
  if (!ContourHasEnd(frame.list(), lastKey)) {
    frame.fault(MissingContourEndMessage + lastKey);
    frame.execute(startBlock);
    return;
  }
  frame.execute(startBlock);
  const int cycleIndex = frame.list().ListIndex();
  ContourWalk(frame, sequenceKey(frame.block(), 'P'), lastKey, nullptr);
  frame.list().setListIndex(cycleIndex);
  frame.list().setTopIndex(cycleIndex);
  frame.execute(startBlock);
}

void expandPatternRepeat(CycleFrame& frame) {
  ProgramPoint start;
  if (!frame.startPoint(1, start)) return;
  const std::string& first = frame.block();
  ContourShift shift;
  shift.dx0 = wordValue(first, 'U');
  shift.dz0 = wordValue(first, 'W');
  shift.n = wordValue(first, 'R');
  const std::string startBlock = rapidTo(start);

  std::string second;
  if (!frame.showNext(second)) {
    frame.storeResume(frame.index());
    frame.execute(startBlock);
    return;
  }
  const int secondIndex = frame.list().ListIndex();
  shift.dx1 = wordValue(second, 'U');
  shift.dz1 = wordValue(second, 'W');
  const std::string firstKey = sequenceKey(second, 'P');
  const std::string lastKey = sequenceKey(second, 'Q');

  double passes = roundToEven(shift.n);
  if (passes > MaxCyclePasses) {
    frame.fault(PassLimitMessage + std::to_string(MaxCyclePasses) + ": " + first);
    passes = MaxCyclePasses;
  }
  for (int k = 1; k <= passes; ++k) {
    shift.k = k;
    const bool complete = ContourWalk(
        frame, firstKey, lastKey, [&shift](const std::string& s) { return OffsetBlock(s, shift); });
    frame.execute(startBlock);
    if (!complete) break;  // reported once; the other passes would walk the same way
  }
  frame.storeResume(secondIndex);
  frame.execute(startBlock);
}

}  // namespace draivo
