#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "time/TimeAccount.h"

namespace draivo {

inline constexpr std::size_t TimeColumnCount = 7;
using TimeRow = std::array<std::string, TimeColumnCount>;

inline constexpr const char* NoToolCaption = "(geen)";
inline constexpr const char* TotalCaption = "Totaal";
inline constexpr const char* UnknownTimeText = "onbekend";

// The machining time as the user reads it: one row per tool and the total; times as
// h:mm:ss.s, lengths in the program's unit; a note for every reason a time is unknown.
struct TimeTable {
  TimeRow headers;
  std::vector<TimeRow> rows;
  std::vector<std::string> notes;
  std::string rapidRate;  // the rate the rapid times were taken at, with its unit
};

inline constexpr double MaxRapidRate = 1'000'000;

// A rapid rate as the user types it: a number above 0 and up to MaxRapidRate, "." or "," as
// its decimal point, blanks around it allowed; nothing for any other text.
std::optional<double> ReadRapidRate(std::string_view text);

// `rapidRate` in the program's unit per minute; 0 takes the default rate of each unit.
TimeTable MakeTimeTable(const TimeAccount& account, double rapidRate);

// The table as text in aligned columns, the notes and the rapid rate below it, every line
// ended by "\n".
std::string FormatTimeTable(const TimeTable& table);

// h:mm:ss.s to the nearest tenth of a second; "onbekend" for a time that is not a number.
std::string FormatDuration(double minutes);

// "mm" or "inch".
std::string UnitName(LengthUnit unit);

}  // namespace draivo
