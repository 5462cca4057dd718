#pragma once

#include "design/CycleBlocks.h"
#include "design/FieldRules.h"

namespace draivo {

// The number fields of one tab of the cycle dialog.
enum class CycleField { StartX, StartZ, FirstX, FirstZ, Taper, Feed, LastCut, Step };

// The text of one field of the tab.
std::string& fieldText(CycleFields& fields, CycleField field);
const std::string& fieldText(const CycleFields& fields, CycleField field);

// The change rule of a field: signed for the Z values, the taper, and on G94 the first X
// and the last cut (a Z there).
ChangeRule CycleChangeRule(SingleCycle cycle, CycleField field);

// The largest magnitudes the fields accept, in program units: no lathe turns a part of
// 10 m or feeds faster than 10 m/min, and far larger values would be written in exponent form
// ("X7E+19"), which no reader of a program takes.
inline constexpr double MaxCycleLength = 10000;  // X, Z, taper, last cut and step
inline constexpr double MaxCycleFeed = 10000;    // per revolution or per minute
// More decimals than this are finer than any machine moves; they could also make a cut
// position so small that it is written in exponent form.
inline constexpr int MaxCycleDecimals = 6;

// Whether the field may be left with the texts the tab holds now.
bool CycleFieldValid(const CycleFields& fields, CycleField field);

}  // namespace draivo
