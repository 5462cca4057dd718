#pragma once

#include "design/CycleBlocks.h"
#include "design/FieldRules.h"

namespace draivo {

// The number fields of one tab of the cycle dialog.
enum class CycleField { StartX, StartZ, FirstX, FirstZ, Taper, Feed, LastCut, Step };

// The text of one field of the tab.
std::string& fieldText(CycleFields& fields, CycleField field);

// The change rule of a field: signed for the Z values, the taper, and on G94 the first X
// and the last cut (a Z there).
ChangeRule CycleChangeRule(SingleCycle cycle, CycleField field);

// Whether the field may be left with the texts the tab holds now.
bool CycleFieldValid(const CycleFields& fields, CycleField field);

}  // namespace draivo
