#pragma once

#include <string>

namespace draivo {

// The choices and texts of the tool dialog, as the user left them.
struct ToolFields {
  bool inch{};           // "Duim" (G20) instead of "Metrisch" (G21)
  bool feedPerMinute{};  // "mm/min" (G98) instead of "mm/tr" (G99)
  std::string tool = "01";
  std::string toolCorrection = "01";
  std::string description;
  std::string maxTour = "3000";
  bool constantCutSpeed = true;  // "Snijsnelheid" (G96) instead of "Toerental" (G97)
  std::string cutSpeed = "200";
  bool clockwise = true;  // "M03 - rechts" instead of "M04 - links"
};

// The blocks that start a machining step with a new tool, each ended by CR LF. On an empty
// design text they open the program (start line, program number, unit and feed mode);
// otherwise they retreat the current tool and stop optionally first.
std::string BuildToolText(const ToolFields& fields, bool designEmpty);

// Ranges of the tool dialog's number fields.
struct FieldRange {
  double low;
  double high;
};
inline constexpr FieldRange ToolNumberRange{1, 99};
inline constexpr FieldRange MaxTourRange{100, 5000};
inline constexpr FieldRange CutSpeedRange{2, 500};
inline constexpr FieldRange SpindleSpeedRange{10, 5000};

// Default of the speed field when the option of that mode is left.
inline constexpr const char* DefaultCutSpeed = "200";
inline constexpr const char* DefaultSpindleSpeed = "700";

// A field holding a number inside the range passes; an empty field never does.
bool numberFieldValid(const std::string& text, FieldRange range);

// Tool and offset numbers must also be whole: a decimal point would make the T word unreadable.
bool toolNumberValid(const std::string& text);

// A single digit gets a leading "0" ("7" becomes "07"); other texts stay as typed.
std::string padToolNumber(const std::string& text);

}  // namespace draivo
