#include "nc/CycleFrame.h"

#include "nc/BlockText.h"
#include "nc/NcHost.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"

namespace draivo {

CycleFrame::CycleFrame(Interpreter& interpreter, int index)
    : interpreter_(interpreter), index_(index), block_(interpreter.parts().lstCommands.List(index)) {}

bool CycleFrame::startPoint(int back, ProgramPoint& point) {
  const int at = index_ - back;
  if (at < 0) {
    fault(NoStartBlockMessage + block_);
    execute(block_);
    return false;
  }
  const std::string_view start = list().List(at);
  point.x = wordValue(start, 'X');
  point.z = wordValue(start, 'Z');
  return true;
}

bool CycleFrame::showNext(std::string& text) {
  const int next = list().ListIndex() + 1;
  if (next >= list().ListCount()) {
    fault(EndOfProgramMessage + block_);
    return false;
  }
  text.assign(list().List(next));
  show(next, text);
  return true;
}

void CycleFrame::show(int i, const std::string& shownText) {
  list().setListIndex(i);
  list().setTopIndex(i);
  interpreter_.host().StopByLine(shownText);
}

void CycleFrame::storeResume(int earliest) {
  const int at = list().ListIndex();
  interpreter_.host().setBlockPosition(at < earliest ? earliest : at);
}

void CycleFrame::fault(const std::string& text) { interpreter_.host().reportProgramFault(text); }

std::string rapidTo(const ProgramPoint& point) {
  return "G00 X" + formatGeneral(point.x) + " Z" + formatGeneral(point.z) + " ;";
}

}  // namespace draivo
