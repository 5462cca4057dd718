#pragma once

#include <ostream>
#include <string>

#include "CommandLine.h"

namespace draivo::cli {

// How the check of one program file ended.
struct CheckOutcome {
  int status = ExitReachedEnd;
  bool faulted = false;  // it reported a fault, whatever its exit status
};

// The program file to run and how it is named in what is printed.
struct ProgramName {
  std::string file;   // the file that is read
  std::string shown;  // the name the user gave ("-" for standard input)
  bool several = false;  // more files are checked: every line of `err` starts with the name
};

// Runs one program as the options ask and prints what they ask for: on `out` the trace,
// status rows, time table, check lines or JSON object, on `err` the messages and notes.
CheckOutcome CheckProgram(const CommandLine& options, const ProgramName& name, std::ostream& out,
                          std::ostream& err);

}  // namespace draivo::cli
