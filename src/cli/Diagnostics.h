#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "run/HeadlessRun.h"

namespace draivo::cli {

// A fault or warning of a run, tied to a line of a program file when it can be.
struct Diagnostic {
  std::string file;
  std::size_t line = 0;  // 1-based; 0 when no block of the file was at fault
  std::string text;
};

// The faults of a run: every message box ("title: text") and a stop at the block limit, each
// at the block the program list showed. `file` is the main program as it was read, `shown`
// the name the user gave it (they differ for standard input).
std::vector<Diagnostic> FaultsOf(const HeadlessResult& result, const std::string& file,
                                 const std::string& shown);

// The workpiece's warnings of a run, each at its block: "TEXT: BLOCK".
std::vector<Diagnostic> WarningsOf(const HeadlessResult& result, const std::string& file,
                                   const std::string& shown);

// The note of a run that used up its block limit.
std::string BudgetNote(const HeadlessResult& result);

// "FILE:LINE: SEVERITY: TEXT", or "FILE: SEVERITY: TEXT" without a line.
std::string CheckLine(const Diagnostic& diagnostic, const char* severity);

// The text with every occurrence of `file` written as `shown`.
std::string ShownText(std::string text, const std::string& file, const std::string& shown);

}  // namespace draivo::cli
