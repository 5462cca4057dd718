#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "StockOptions.h"
#include "editor/LineRules.h"

namespace draivo::cli {

// Exit statuses of draivo-sim.
inline constexpr int ExitReachedEnd = 0;
inline constexpr int ExitFileError = 1;  // a program file could not be read, or a file written
inline constexpr int ExitUsage = 2;
inline constexpr int ExitStopped = 3;  // the run ended before the end of the program
inline constexpr int ExitFaults = 4;   // with --check: the run reached its end, but reported
                                       // faults or warnings
inline constexpr int ExitNotReached = 5;  // --until-block: the run ended without taking it up

// The file name that stands for standard input.
inline constexpr const char* StandardInputName = "-";

struct CommandLine {
  double zoom = 3.4;
  bool direct = false;
  bool trace = false;
  bool status = false;
  bool time = false;
  bool json = false;
  bool check = false;
  double rapidRate = 0;  // in the program's unit per minute; 0 = the default of the unit
  std::string bmpFile;
  std::uint64_t maxBlocks = 0;  // 0: the budget scales with the program
  unsigned jobs = 0;            // files checked at the same time; 0 = one per core
  std::optional<TextCommand> textCommand;  // --number, --unnumber or --spread instead of a run
  std::string outputFile;                  // -o: where the text command writes
  StockOptions stock;                      // --stock, --nose-radius, --profile
  std::uint64_t untilBlock = 0;            // a line of the program file; 0: run to the end
  std::vector<std::string> programs;
  bool help = false;
  bool version = false;
};

struct ParsedCommandLine {
  CommandLine options;
  std::string error;  // "" when the arguments are valid
};

// Reads the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

}  // namespace draivo::cli
