#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace draivo {

class CycleFrame;
class PathDrawer;
class ProgramList;
class Surface;
struct ViewState;
class NcHost;

// The allowance of one pass of a contour cycle.
struct ContourShift {
  double n = 2;              // number of passes
  double dx0{}, dz0{};       // shift of the first pass
  double dx1{}, dz1{};       // shift of the last pass
  int k = 2;                 // this pass

  // The finishing allowance alone (the last pass of two).
  static ContourShift finishing(double uf, double wf) { return {2, 0, 0, uf, wf, 2}; }
};

// The block with its X, Z, U and W values shifted by the allowance of pass k of n, the
// numbers written in the short numeric form.
std::string OffsetBlock(std::string_view block, const ContourShift& shift);

// "N" + the value of the P (first) or Q (last) word of the block.
std::string sequenceKey(const std::string& block, char letter);

// Draws every entry of the list into the picture in black, line style and arc choice taken
// from each entry's first "G0" (kept from the entry before when it has none).
void DrawBlockList(const ProgramList& list, Surface& picture, bool instant, ViewState& view,
                   PathDrawer& drawer, NcHost& host);

// Whether a walk would come to the block holding `lastKey`: some entry holds it.
bool ContourHasEnd(const ProgramList& list, const std::string& lastKey);

// Walks the program from its first entry: from the block holding `firstKey` on, shows and
// executes every block (through `transform` when given) up to and including the one holding
// `lastKey`. Reports a contour whose last block never comes and then answers false.
bool ContourWalk(CycleFrame& frame, const std::string& firstKey, const std::string& lastKey,
                 const std::function<std::string(const std::string&)>& transform);

}  // namespace draivo
