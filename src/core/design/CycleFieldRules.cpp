#include "design/CycleFieldRules.h"

namespace draivo {
namespace {

bool positive(const std::string& text) {
  return leadingValue(text) > 0.0;
}

bool firstXValid(const CycleFields& f) {
  if (f.cycle != SingleCycle::G94) return positive(f.firstX);
  // A face cut ends inside the start diameter; the sign alone is no X value.
  return !isEmptyOrSign(f.firstX) && leadingValue(f.firstX) <= leadingValue(f.startX);
}

bool lastCutValid(const CycleFields& f) {
  if (f.cycle != SingleCycle::G94) return !f.lastCut.empty() && leadingValue(f.lastCut) >= 0.0;
  return !isEmptyOrSign(f.lastCut) && leadingValue(f.lastCut) < leadingValue(f.firstZ);
}

}  // namespace

std::string& fieldText(CycleFields& f, CycleField field) {
  switch (field) {
    case CycleField::StartX: return f.startX;
    case CycleField::StartZ: return f.startZ;
    case CycleField::FirstX: return f.firstX;
    case CycleField::FirstZ: return f.firstZ;
    case CycleField::Taper: return f.taper;
    case CycleField::Feed: return f.feed;
    case CycleField::LastCut: return f.lastCut;
    case CycleField::Step: break;
  }
  return f.step;
}

ChangeRule CycleChangeRule(SingleCycle cycle, CycleField field) {
  switch (field) {
    case CycleField::StartZ:
    case CycleField::FirstZ:
    case CycleField::Taper:
      return ChangeRule::Signed;
    case CycleField::FirstX:
    case CycleField::LastCut:
      return cycle == SingleCycle::G94 ? ChangeRule::Signed : ChangeRule::Unsigned;
    default:
      return ChangeRule::Unsigned;
  }
}

bool CycleFieldValid(const CycleFields& f, CycleField field) {
  switch (field) {
    case CycleField::StartX:
      return positive(f.startX);
    case CycleField::StartZ:
      return !isEmptyOrSign(f.startZ);
    case CycleField::FirstX:
      return firstXValid(f);
    case CycleField::FirstZ:
      return !isEmptyOrSign(f.firstZ) && leadingValue(f.firstZ) < leadingValue(f.startZ);
    case CycleField::Taper:
      return !isEmptyOrSign(f.taper);
    case CycleField::Feed:
      return positive(f.feed);
    case CycleField::LastCut:
      return lastCutValid(f);
    case CycleField::Step:
      return positive(f.step);
  }
  return false;
}

}  // namespace draivo
