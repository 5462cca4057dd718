#include "design/ToolBlocks.h"

#include "design/FieldRules.h"
#include "design/ProgramMarkers.h"
#include "nc/NumberFormat.h"

namespace draivo {
namespace {

constexpr std::string_view ProgramNumberLine = ":0000 ;";
constexpr std::string_view OptionalStopBlock = "M01 ;";

void addLine(std::string& text, std::string_view line) {
  text += line;
  text += LineEnd;
}

// The field text read as a number and written in the general numeric format.
std::string numberText(const std::string& field) {
  return formatGeneral(leadingValue(field));
}

std::string unitBlock(const ToolFields& fields) {
  std::string block = fields.inch ? "G20 " : "G21 ";
  block += "G40 ";
  block += fields.feedPerMinute ? "G98 ;" : "G99 ;";
  return block;
}

std::string speedBlock(const ToolFields& fields) {
  std::string block = fields.constantCutSpeed ? "G96 S" : "G97 S";
  block += numberText(fields.cutSpeed);
  block += fields.clockwise ? " M03 ;" : " M04 ;";
  return block;
}

}  // namespace

std::string BuildToolText(const ToolFields& fields, bool designEmpty) {
  std::string text;
  if (designEmpty) {
    addLine(text, ProgramStartLine);
    addLine(text, ProgramNumberLine);
    addLine(text, unitBlock(fields));
    addLine(text, ToolChangeBlock);
  } else {
    addLine(text, RetreatBlock);
    addLine(text, OptionalStopBlock);
  }
  if (!fields.description.empty()) addLine(text, "(" + fields.description + ") ;");
  addLine(text, "T" + fields.tool + fields.toolCorrection + " ;");
  addLine(text, "G50 S" + numberText(fields.maxTour) + " ;");
  addLine(text, speedBlock(fields));
  return text;
}

bool numberFieldValid(const std::string& text, FieldRange range) {
  if (text.empty()) return false;
  const double value = leadingValue(text);
  return value >= range.low && value <= range.high;
}

bool toolNumberValid(const std::string& text) {
  return numberFieldValid(text, ToolNumberRange) && text.find('.') == std::string::npos;
}

std::string padToolNumber(const std::string& text) {
  if (text.size() == 1 && leadingValue(text) < 10) return "0" + text;
  return text;
}

}  // namespace draivo
