#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "run/HeadlessRun.h"
#include "time/TimeTable.h"

#ifndef DRAIVO_VERSION
#define DRAIVO_VERSION "unknown"
#endif

namespace draivo::cli {
namespace {

int exitStatusOf(const HeadlessResult& result) {
  switch (result.exit()) {
    case HeadlessExit::ReachedEnd:
      return ExitReachedEnd;
    case HeadlessExit::FileUnreadable:
      return ExitFileError;
    case HeadlessExit::NotReached:
      return ExitNotReached;
    case HeadlessExit::Stopped:
      break;
  }
  return ExitStopped;
}

void printStatus(const HeadlessResult& result) {
  for (const StatusRow& row : result.status) std::cout << row.caption << '\t' << row.value << '\n';
}

int simulate(const CommandLine& options) {
  HeadlessOptions run;
  run.zoom = options.zoom;
  run.direct = options.direct;
  run.collectTrace = false;
  run.recordTime = options.time;
  run.stepBudget = options.maxBlocks;
  run.untilLine = options.untilBlock;
  if (options.trace) run.onTrace = [](const std::string& block) { std::cout << block << '\n'; };
  run.onMessage = [](const std::string& message) { std::cerr << message << '\n'; };

  const HeadlessResult result = RunHeadless(options.program, run);
  if (result.budgetExhausted) {
    std::cerr << "draivo-sim: run stopped after " << result.stepBudget
              << " blocks (--max-blocks sets the limit)\n";
  }
  if (options.status) printStatus(result);
  if (options.time) std::cout << FormatTimeTable(MakeTimeTable(result.time, options.rapidRate));
  std::cout.flush();

  int status = exitStatusOf(result);
  if (!options.bmpFile.empty() && !result.picture.writeBmp(options.bmpFile)) {
    std::cerr << "draivo-sim: cannot write the picture " << options.bmpFile << '\n';
    if (status == ExitReachedEnd) status = ExitFileError;
  }
  return status;
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
  return simulate(parsed.options);
}
