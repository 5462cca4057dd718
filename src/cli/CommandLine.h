#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace draivo::cli {

// Exit statuses of draivo-sim.
inline constexpr int ExitReachedEnd = 0;
inline constexpr int ExitFileError = 1;  // a program file could not be read, or the picture written
inline constexpr int ExitUsage = 2;
inline constexpr int ExitStopped = 3;  // the run ended before the end of the program
inline constexpr int ExitNotReached = 4;  // --until-block: the run ended without taking it up

struct CommandLine {
  double zoom = 3.4;
  bool direct = false;
  bool trace = false;
  bool status = false;
  bool time = false;
  double rapidRate = 0;  // in the program's unit per minute; 0 = the default of the unit
  std::string bmpFile;
  std::uint64_t maxBlocks = 0;  // 0: the budget scales with the program
  std::uint64_t untilBlock = 0;  // a line of the program file; 0: run to the end
  std::string program;
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
