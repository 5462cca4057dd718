#include "design/CycleFieldRules.h"

#include <cmath>

namespace draivo {
namespace {

// The text of a field, for a tab that may be changed or not.
template <typename Fields>
auto& textOf(Fields& f, CycleField field) {
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

// The decimals of a number text that count: trailing zeros do not.
int decimalsOf(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return 0;
  const std::size_t last = text.find_last_not_of('0');
  return last > point ? static_cast<int>(last - point) : 0;
}

bool withinLimits(const std::string& text, double limit) {
  return std::fabs(leadingValue(text)) <= limit && decimalsOf(text) <= MaxCycleDecimals;
}

double limitOf(CycleField field) {
  return field == CycleField::Feed ? MaxCycleFeed : MaxCycleLength;
}

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
  return textOf(f, field);
}

const std::string& fieldText(const CycleFields& f, CycleField field) {
  return textOf(f, field);
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
  if (!withinLimits(fieldText(f, field), limitOf(field))) return false;
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
