#pragma once

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "run/HeadlessRun.h"

namespace draivo::test {

// How the scripted user drives a case's run, beyond pressing Start at every gate.
struct RunScript {
  bool stepMode = false;
  bool optionalStop = false;
  int speed = 0;            // the drawing pause, milliseconds per pixel
  long long quitAt = -1;    // the window is closed once the clock reaches this
  bool startFirst = false;  // Start is clicked before the program is opened
  bool startAtEnd = false;  // Start is clicked during the end message: the run repeats
  bool openDuringRun = false;  // Open and Vernieuw are tried at the first block
  bool any = false;            // one of these is set: draivo-sim cannot run the case
};

// One folder of tests/data: a program, its subprograms and what a run of it must give.
struct GoldenCase {
  std::string name;
  std::filesystem::path folder;
  std::string fault;  // why the folder is no valid case; "" for a valid one
  HeadlessOptions options;
  RunScript script;
  bool viaCommandLine = false;
  int exitStatus = 0;
  // The lines of each expected file by kind ("trace" for expected.trace), "{dir}" replaced.
  std::map<std::string, std::vector<std::string>> expected;

  bool has(const std::string& kind) const { return expected.count(kind) != 0; }
  const std::vector<std::string>& lines(const std::string& kind) const;
  std::string programFile() const { return (folder / "program.nc").string(); }
};

void PrintTo(const GoldenCase& c, std::ostream* os);

// Every case folder under `dataFolder`, sorted by name. A folder that cannot be read as a
// case yields a case whose fault tells why, so the suite fails instead of skipping it.
std::vector<GoldenCase> DiscoverGoldenCases(const std::filesystem::path& dataFolder);
std::filesystem::path GoldenDataFolder();
std::vector<std::string> ReadLines(const std::filesystem::path& file);

// What a run of a case did, in the form of the expected files.
struct CaseRun {
  std::vector<std::string> trace, messages, status, waits;
  std::map<std::string, std::string> state;
  int exitStatus = 0;
  Surface picture;
  TimeAccount time;
};

// The run of draivo-sim, and the run of the window's core driven by a scripted user.
CaseRun RunHeadlessCase(const GoldenCase& c);
CaseRun RunScriptedCase(const GoldenCase& c);

// "RRGGBB", as expected.pixels writes a colour.
std::string ColourText(Colour colour);

}  // namespace draivo::test
