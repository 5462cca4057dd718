#pragma once

#include <filesystem>
#include <map>
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
  // The lines of its options and expected files by name ("expected.trace"), "{dir}" replaced.
  std::map<std::string, std::vector<std::string>> files;

  // The lines of expected.<kind>; none when there is no such file.
  const std::vector<std::string>& lines(const std::string& kind) const;
  // An option line starting with `key`, or an expected file of that kind, is there.
  bool has(const std::string& key) const;
  double number(const std::string& option, double fallback) const;
  const std::string* option(const std::string& key) const;  // its option line, if any
  // The case needs the scripted user (step mode, closing ...): draivo-sim cannot run it.
  bool scripted() const;
  std::string programFile() const { return (folder / "program.nc").string(); }
};

void PrintTo(const GoldenCase& c, std::ostream* os);

// Every case folder under `dataFolder` (one holding a program, options or expected files),
// sorted by name. A folder that cannot be read as a case yields a case whose fault tells why,
// so that the suite fails instead of skipping it.
std::vector<GoldenCase> DiscoverGoldenCases(const std::filesystem::path& dataFolder);
std::filesystem::path GoldenDataFolder();
std::vector<std::string> ReadLines(const std::filesystem::path& file);
// The lines of a text with the blanks between words made single, so that table columns
// compare by their words.
std::vector<std::string> WordLines(const std::string& text);

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
