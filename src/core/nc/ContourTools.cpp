#include "nc/ContourTools.h"

#include <algorithm>

#include "nc/BlockText.h"
#include "nc/CycleFrame.h"
#include "nc/MoveKind.h"
#include "nc/NcHost.h"
#include "nc/NumberFormat.h"
#include "nc/ProgramList.h"
#include "render/PathDrawing.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo {
namespace {

struct Shift {
  double dx;
  double dz;
};

Shift shiftOfPass(const ContourShift& s) {
  const double m = s.n == 1 ? 1 : s.n - 1;
  const double stepX = (s.dx0 - s.dx1) / m;
  const double stepZ = (s.dz0 - s.dz1) / m;
  if (s.k == 1) return {s.dx0, s.dz0};
  if (s.k == s.n) return {s.dx1, s.dz1};
  return {s.dx0 - (s.k - 1) * stepX, s.dz0 - (s.k - 1) * stepZ};
}

// Replaces the number of the first word with this letter by its value plus `delta`.
void shiftWord(std::string& text, char letter, double delta) {
  const std::size_t p = findLetter(text, letter);
  if (p == 0) return;
  const double value = ReadWordValue(text, p);
  const auto length = static_cast<std::size_t>(WordTextLength(text, p));
  const std::size_t restAt = std::min(text.size(), p + length);
  text = text.substr(0, p) + formatShort(value + delta) + text.substr(restAt);
}

}  // namespace

std::string OffsetBlock(std::string_view block, const ContourShift& shift) {
  const Shift d = shiftOfPass(shift);
  std::string text(block);
  shiftWord(text, 'X', d.dx);
  shiftWord(text, 'Z', d.dz);
  shiftWord(text, 'U', d.dx);
  shiftWord(text, 'W', d.dz);
  return text;
}

std::string sequenceKey(const std::string& block, char letter) {
  return "N" + formatGeneral(wordValue(block, letter));
}

void DrawBlockList(const ProgramList& list, Surface& picture, bool instant, ViewState& view,
                   PathDrawer& drawer, NcHost& host) {
  const Colour keptPen = view.PenColour;
  view.PenColour = Black;
  bool arc = false;
  for (int i = 0; i < list.ListCount(); ++i) {
    std::string text(list.List(i));
    const MoveKind kind = firstG0MoveKind(text);
    if (kind.known) {  // an entry without "G0" keeps the style and arc choice before it
      picture.drawStyle = kind.style;
      arc = kind.arc;
    }
    drawer.DrawMove(text, arc, picture, instant);
    host.processEvents();
  }
  view.PenColour = keptPen;
}

bool ContourHasEnd(const ProgramList& list, const std::string& lastKey) {
  return list.firstContaining(lastKey) < list.ListCount();
}

bool ContourWalk(CycleFrame& frame, const std::string& firstKey, const std::string& lastKey,
                 const std::function<std::string(const std::string&)>& transform) {
  ProgramList& list = frame.list();
  bool inside = false;
  // Entries before the first one that holds either key take no part in the walk.
  const int from = std::min(list.firstContaining(firstKey), list.firstContaining(lastKey));
  std::string s;
  for (int i = from; i < list.ListCount(); ++i) {
    s.assign(list.List(i));
    if (contains(s, firstKey)) inside = true;
    if (inside) {
      frame.show(i, s);
      if (transform) s = transform(s);
      frame.execute(s);
    }
    if (contains(s, lastKey)) return true;
  }
  frame.fault(MissingContourEndMessage + lastKey);
  return false;
}

}  // namespace draivo
