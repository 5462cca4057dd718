#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "run/HeadlessRun.h"

namespace draivo::test {

// One folder of tests/data: a program, its subprograms and what a run of it must give.
struct GoldenCase {
  std::string name;
  std::filesystem::path folder;
  std::string fault;  // why the folder is no valid case; "" for a valid one
  HeadlessOptions options;
  bool viaCommandLine = false;  // also run through the draivo-sim executable
  int exitStatus = 0;           // the exit status draivo-sim must give
  std::vector<std::string> trace;
  std::vector<std::string> messages;  // "{dir}" already replaced by the folder
  bool checkStatus = false;
  std::vector<std::string> status;  // caption TAB value
  std::vector<std::string> time;    // the lines of expected.time; empty when there is none

  std::string programFile() const { return (folder / "program.nc").string(); }
};

void PrintTo(const GoldenCase& c, std::ostream* os);

// Every case folder under `dataFolder`, sorted by name. A folder that cannot be read as a
// case yields a case whose name tells why, so the suite fails instead of skipping it.
std::vector<GoldenCase> DiscoverGoldenCases(const std::filesystem::path& dataFolder);

std::filesystem::path GoldenDataFolder();

// The lines of a text file, without their line ends.
std::vector<std::string> ReadLines(const std::filesystem::path& file);

// The exit status draivo-sim gives for a headless run.
int ExitStatusOf(const HeadlessResult& result);

}  // namespace draivo::test
