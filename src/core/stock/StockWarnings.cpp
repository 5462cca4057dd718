#include "stock/StockWarnings.h"

namespace draivo {

const char* WarningText(WarningKind kind) {
  switch (kind) {
    case WarningKind::RapidThroughMaterial: return "Ijlgang door materiaal";
    case WarningKind::ChuckCollision: return "Botsing met klauwplaat";
    case WarningKind::CutWithSpindleStopped: return "Snijden bij stilstaande spil";
  }
  return "";
}

std::string FormatWarning(const StockWarning& warning) {
  return warning.where.file + ":" + std::to_string(warning.where.line) +
         ": warning: " + WarningText(warning.kind) + ": " + warning.where.block;
}

bool WarningList::add(WarningKind kind, const SourceLocation& where) {
  if (!given_.emplace(kind, where.file, where.line).second) return false;
  warnings_.push_back({kind, where});
  return true;
}

}  // namespace draivo
