#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CommandLine.h"
#include "ExitStatus.h"
#include "ParallelChecks.h"
#include "ProgramCheck.h"
#include "ProgramFolder.h"
#include "StandardInput.h"
#include "TextCommandFiles.h"

#ifndef DRAIVO_VERSION
#define DRAIVO_VERSION "unknown"
#endif

namespace draivo::cli {
namespace {

unsigned jobsFor(const CommandLine& options) {
  if (options.jobs != 0) return options.jobs;
  return std::max(1u, std::thread::hardware_concurrency());
}

// The files as they are read; standard input is kept in a file first.
std::vector<ProgramName> namesOf(const CommandLine& options, const StandardInputFile* input) {
  std::vector<ProgramName> names;
  const bool several = options.programs.size() > 1;
  for (const std::string& program : options.programs) {
    const bool fromInput = program == StandardInputName && input;
    names.push_back({fromInput ? input->path() : program, program, several});
  }
  return names;
}

std::vector<CheckOutcome> runAll(const CommandLine& options,
                                 const std::vector<ProgramName>& names) {
  std::vector<CheckOutcome> outcomes;
  if (options.textCommand) {
    // One after the other: the commands share the work file of the program folder.
    const std::string folder = ProgramFolder();
    for (const ProgramName& name : names) {
      outcomes.push_back(RunTextCommandFile(options, name, folder, std::cerr));
    }
    return outcomes;
  }
  const unsigned jobs = std::min<std::size_t>(jobsFor(options), names.size());
  if (jobs <= 1) {
    for (const ProgramName& name : names) {
      outcomes.push_back(CheckProgram(options, name, std::cout, std::cerr));
    }
    return outcomes;
  }
  return CheckInParallel(
      names.size(), jobs,
      [&](std::size_t i, std::ostream& out, std::ostream& err) {
        return CheckProgram(options, names[i], out, err);
      },
      [&](std::size_t i, int signal) {
        return names[i].shown + ": draivo-sim: the check ended by signal " +
               std::to_string(signal);
      });
}

int run(const CommandLine& options) {
  const bool readsInput = std::find(options.programs.begin(), options.programs.end(),
                                    StandardInputName) != options.programs.end();
  std::unique_ptr<StandardInputFile> input;
  if (readsInput) input = std::make_unique<StandardInputFile>();
  const std::vector<ProgramName> names = namesOf(options, input.get());
  const std::vector<CheckOutcome> outcomes = runAll(options, names);
  if (names.size() > 1) std::cerr << SummaryLine(outcomes) << '\n';
  return WorstStatus(outcomes);
}

}  // namespace
}  // namespace draivo::cli

int main(int argc, char** argv) {
  using namespace draivo::cli;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.error.empty()) {
    std::cerr << "draivo-sim: " << parsed.error << "\n\n" << UsageText();
    return ExitUsage;
  }
  if (parsed.options.help) {
    std::cout << UsageText();
    return ExitReachedEnd;
  }
  if (parsed.options.version) {
    std::cout << "draivo-sim " << DRAIVO_VERSION << '\n';
    return ExitReachedEnd;
  }
  try {
    return run(parsed.options);
  } catch (const std::exception& error) {
    std::cerr << "draivo-sim: " << error.what() << '\n';
    return ExitFileError;
  }
}
