#pragma once

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "run/SourceLocation.h"

namespace draivo {

enum class WarningKind {
  RapidThroughMaterial,   // a rapid move takes material
  ChuckCollision,         // a move enters the jaws
  CutWithSpindleStopped,  // a feed move takes material while the spindle stands
};

// "Ijlgang door materiaal", "Botsing met klauwplaat", "Snijden bij stilstaande spil".
const char* WarningText(WarningKind kind);

struct StockWarning {
  WarningKind kind;
  SourceLocation where;  // the block the program list showed when the move was made
};

// "FILE:LINE: warning: TEXT: BLOCK", as compilers write their warnings.
std::string FormatWarning(const StockWarning& warning);

// The warnings of a run, each kind once per line of a file.
class WarningList {
 public:
  // False when the warning was given for that line before.
  bool add(WarningKind kind, const SourceLocation& where);
  const std::vector<StockWarning>& all() const { return warnings_; }

 private:
  std::vector<StockWarning> warnings_;
  std::set<std::tuple<WarningKind, std::string, std::size_t>> given_;
};

}  // namespace draivo
