#pragma once

#include <string>
#include <vector>

#include "Diagnostics.h"
#include "run/HeadlessRun.h"

namespace draivo::cli {

// What --json prints of one program.
struct JsonInput {
  const std::string& file;   // the file that was run
  const std::string& shown;  // the same file as the user named it ("-" for standard input)
  int exitStatus;
  const HeadlessResult& result;
  const std::vector<Diagnostic>& faults;
  const std::vector<Diagnostic>& warnings;
  double rapidRate;  // 0: the default of the program's unit
};

// One JSON object on one line (no line break at its end), valid UTF-8 whatever the file
// names hold. docs/draivo-sim.schema.json describes it.
std::string JsonReport(const JsonInput& input);

}  // namespace draivo::cli
