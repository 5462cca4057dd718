#include "time/TimeAccount.h"

namespace draivo {

double TimeTotals::rapidMinutes(double rapidRate) const {
  if (rapidRate > 0) return (rapidTravelMm + rapidTravelInch) / rapidRate;
  return rapidTravelMm / DefaultRapidRateMm + rapidTravelInch / DefaultRapidRateInch;
}

void TimeTotals::add(const TimeTotals& other) {
  feedMinutes += other.feedMinutes;
  dwellMinutes += other.dwellMinutes;
  feedLength += other.feedLength;
  rapidLength += other.rapidLength;
  rapidTravelMm += other.rapidTravelMm;
  rapidTravelInch += other.rapidTravelInch;
  unknownFeed |= other.unknownFeed;
}

TimeTotals TimeAccount::total() const {
  TimeTotals sum;
  for (const ToolTime& tool : tools) sum.add(tool.totals);
  return sum;
}

TimeTotals& TimeAccount::of(const std::string& tool) {
  for (ToolTime& entry : tools) {
    if (entry.tool == tool) return entry.totals;
  }
  tools.push_back({tool, {}});
  return tools.back().totals;
}

double TimeAccount::defaultRapidRate() const {
  return unit == LengthUnit::Inch ? DefaultRapidRateInch : DefaultRapidRateMm;
}

}  // namespace draivo
