// G71 and G72: stock removal in straight passes whose ends are found by drawing the offset
// contour into picCalculate and probing its pixels.
#include <algorithm>
#include <cmath>

#include "nc/BlockText.h"
#include "nc/ContourTools.h"
#include "nc/CycleFrame.h"
#include "nc/NcHost.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"
#include "render/PathDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

constexpr double ProbeStartOffset = 2;   // the probe starts two pixels from the start point
constexpr double IndexLimit = 9.0e15;    // keeps pixel indexes exact in a long long

std::string fmt(double value) { return formatGeneral(value); }

long long roundIndex(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<long long>(std::clamp(roundToEven(value), -IndexLimit, IndexLimit));
}

// Visits first, first + step, ... while `keepGoing` holds. Values outside [lo, hi] cannot
// hit a pixel: those before the window are skipped at once, and leaving it ends the loop, so
// the work is bounded by the picture size whatever the coordinates.
template <typename Condition, typename Visit>
void forEachStep(long long first, long long step, long long lo, long long hi, Condition keepGoing,
                 Visit visit) {
  if (step == 0) return;
  long long v = first;
  if (step > 0 && v < lo) v += (lo - v + step - 1) / step * step;
  if (step < 0 && v > hi) v -= (v - hi - step - 1) / -step * -step;
  for (; keepGoing(v); v += step) {
    if (v < lo || v > hi) break;
    visit(v);
  }
}

struct Roughing {
  ProgramPoint start;
  std::string startBlock;
  double depth{};  // pixels
  double retract{};
  double uf{}, wf{};
  std::string firstKey, lastKey;
  double startRow{}, startColumn{};
  double firstContourRow{}, lastContourColumn{};
};

// Offsets the next program entry by the finishing allowance, shows it and adds it to the
// offset contour. False, reported, at the end of the program.
bool takeContourEntry(CycleFrame& frame, const Roughing& r, std::string& s) {
  ProgramList& list = frame.list();
  const int next = list.ListIndex() + 1;
  if (next >= list.ListCount()) {
    frame.fault(MissingContourEndMessage + r.lastKey);
    return false;
  }
  list.setListIndex(next);
  s = OffsetBlock(list.List(next), ContourShift::finishing(r.uf, r.wf));
  list.setTopIndex(next);
  frame.parts().lstAutomatic.AddItem(s);
  frame.interpreter().host().StopByLine(s);
  return true;
}

bool collectContour(CycleFrame& frame, Roughing& r) {
  Interpreter& interpreter = frame.interpreter();
  frame.parts().lstAutomatic.Clear();
  std::string s;
  if (!takeContourEntry(frame, r, s)) return false;
  interpreter.JumpToBlockPoint(s);
  r.firstContourRow = frame.parts().view.CurrentPointX;
  do {
    if (!takeContourEntry(frame, r, s)) return false;
  } while (!contains(s, r.lastKey));
  return true;
}

void drawContour(CycleFrame& frame, Roughing& r) {
  const NcParts& parts = frame.parts();
  ViewState& view = parts.view;
  NcHost& host = frame.interpreter().host();
  parts.picCalculate.clear();
  parts.picCalculate.foreColour = Black;
  const ViewState kept = view;
  DrawBlockList(parts.lstAutomatic, parts.picCalculate, true, view, parts.drawer, host);
  view.CurrentPointZ = kept.CurrentPointZ;
  view.CurrentPointX = kept.CurrentPointX;
  view.TargetPointZ = kept.TargetPointZ;
  view.TargetPointX = kept.TargetPointX;
  DrawBlockList(parts.lstAutomatic, parts.picCalculate, false, view, parts.drawer, host);
  r.lastContourColumn = view.TargetPointZ;
  frame.interpreter().JumpToBlockPoint(r.startBlock);
}

// Reads the cycle words, the contour and draws it; false when the program ends too early.
bool prepare(CycleFrame& frame, char depthLetter, Roughing& r) {
  const NcParts& parts = frame.parts();
  const std::string& first = frame.block();
  r.depth = wordValue(first, depthLetter, parts.view.ZoomFactor);
  r.retract = wordValue(first, 'R');
  r.startBlock = rapidTo(r.start);

  std::string second;
  if (!frame.showNext(second)) return false;
  r.firstKey = sequenceKey(second, 'P');
  r.lastKey = sequenceKey(second, 'Q');
  r.uf = wordValue(second, 'U');
  r.wf = wordValue(second, 'W');

  frame.interpreter().JumpToBlockPoint(r.startBlock);
  r.startRow = parts.view.CurrentPointX;
  r.startColumn = parts.view.CurrentPointZ;
  if (!collectContour(frame, r)) return false;
  drawContour(frame, r);
  return true;
}

std::string diameterMove(const ViewState& view, long long row) {
  return "G01 X" + fmt(roundTwoDecimals(2 * (view.ViewOriginX - static_cast<double>(row)) /
                                        view.ZoomFactor)) + " ;";
}

// The Z word of a pass end; a point at or right of Z 0 keeps its true sign.
std::string lengthMove(const ViewState& view, long long column, double wf) {
  const double length =
      roundTwoDecimals((view.ViewOriginZ - static_cast<double>(column)) / view.ZoomFactor) - wf;
  return length >= 0 ? "G01 Z-" + fmt(length) + " ;" : "G01 Z" + fmt(-length) + " ;";
}

std::string retractMove(const std::string& word, double retract) {
  return word + fmt(2 * retract) + " W" + fmt(retract) + " ;";
}

bool isContour(const Surface& picture, long long column, long long row) {
  return picture.getPixel(static_cast<int>(column), static_cast<int>(row)) == Black;
}

void finish(CycleFrame& frame, const Roughing& r) {
  frame.execute(r.startBlock);
  const int contourEnd = frame.list().ListIndex();
  ContourWalk(frame, r.firstKey, r.lastKey, [&r](const std::string& s) {
    return OffsetBlock(s, ContourShift::finishing(r.uf, r.wf));
  });
  frame.storeResume(contourEnd);
  frame.execute(r.startBlock);
}

// Everything before the passes; false when the cycle stopped (already executed and reported).
bool begin(CycleFrame& frame, char depthLetter, Roughing& r) {
  if (!frame.startPoint(1, r.start)) return false;
  if (!prepare(frame, depthLetter, r)) {
    frame.storeResume(frame.index());
    frame.execute(r.startBlock);
    return false;
  }
  return true;
}

}  // namespace

void expandRoughingZ(CycleFrame& frame) {
  Roughing r;
  if (!begin(frame, 'U', r)) return;
  const ViewState& view = frame.parts().view;
  const Surface& picture = frame.parts().picCalculate;
  const bool outside = r.startRow < r.firstContourRow;
  const long long step = outside ? roundIndex(r.depth) : -roundIndex(r.depth);
  const long long firstRow = roundIndex(outside ? r.startRow + r.depth : r.startRow - r.depth);
  const long long limit = roundIndex(r.firstContourRow);
  const std::string retractWord = outside ? "G00 U" : "G00 U-";
  const long long probeFrom = std::min<long long>(roundIndex(r.startColumn - ProbeStartOffset),
                                                  picture.width() - 1);
  const long long probeTo = std::max<long long>(roundIndex(r.lastContourColumn), 0);

  auto withinLimit = [&](long long row) { return step > 0 ? row <= limit : row >= limit; };
  forEachStep(firstRow, step, 0, picture.height() - 1, withinLimit, [&](long long row) {
    for (long long c = probeFrom; c >= probeTo; --c) {
      if (!isContour(picture, c, row)) continue;
      frame.execute(diameterMove(view, row));
      frame.execute(lengthMove(view, c, r.wf));
      frame.execute(retractMove(retractWord, r.retract));
      frame.execute("G00 Z" + fmt(r.start.z) + " ;");
      return;
    }
  });
  finish(frame, r);
}

void expandRoughingX(CycleFrame& frame) {
  Roughing r;
  if (!begin(frame, 'W', r)) return;
  const ViewState& view = frame.parts().view;
  const Surface& picture = frame.parts().picCalculate;
  const long long step = -roundIndex(r.depth);
  const long long firstColumn = roundIndex(r.startColumn - r.depth);
  const long long limit = roundIndex(r.lastContourColumn);
  const bool outside = r.startRow < r.firstContourRow;
  const std::string retractWord = outside ? "G00 U" : "G00 U-";
  const long long rowLimit = roundIndex(r.firstContourRow);
  const long long lastRow = picture.height() - 1;
  const long long probeFirst = outside ? std::max<long long>(roundIndex(r.startRow + ProbeStartOffset), 0)
                                       : std::min<long long>(roundIndex(r.startRow - ProbeStartOffset), lastRow);
  const long long probeLast = outside ? std::min(rowLimit, lastRow) : std::max<long long>(rowLimit, 0);
  const long long probeStep = outside ? 1 : -1;

  auto withinLimit = [&](long long column) { return column >= limit; };
  forEachStep(firstColumn, step, 0, picture.width() - 1, withinLimit, [&](long long column) {
    for (long long row = probeFirst; outside ? row <= probeLast : row >= probeLast; row += probeStep) {
      if (!isContour(picture, column, row)) continue;
      frame.execute(lengthMove(view, column, r.wf));
      frame.execute(diameterMove(view, row));
      frame.execute(retractMove(retractWord, r.retract));
      frame.execute("G00 X" + fmt(r.start.x) + " ;");
      return;
    }
  });
  finish(frame, r);
}

}  // namespace draivo
