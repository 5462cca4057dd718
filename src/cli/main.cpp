#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "run/HeadlessRun.h"
#include "stock/StockProfile.h"
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
    case HeadlessExit::Stopped:
      break;
  }
  return ExitStopped;
}

void printStatus(const HeadlessResult& result) {
  for (const StatusRow& row : result.status) std::cout << row.caption << '\t' << row.value << '\n';
}

// The workpiece's part of the output: the warnings of --check, the --profile picture, and a
// blank that could not be had. Gives the exit status.
int finishStock(const StockOptions& stock, const HeadlessResult& result, int status) {
  if (result.blankFault) {
    const BlankCommentFault& fault = *result.blankFault;
    std::cerr << fault.where.file << ':' << fault.where.line << ": error: blank comment: "
              << FaultText(fault.fault, Language::English) << ": " << fault.where.block << '\n';
    return ExitUsage;
  }
  const WorkpieceSetup setup = stock.setup();
  if (setup.source == WorkpieceSetup::Source::None) return status;
  if (!result.workpiece) {
    if (result.outcome == RunOutcome::FileUnreadable) return status;
    std::cerr << "draivo-sim: no workpiece: give --stock, or a line (WERKSTUK D.. L..) in the "
                 "program\n";
    return ExitUsage;
  }
  if (stock.check) {
    for (const StockWarning& warning : result.warnings) std::cout << FormatWarning(warning) << '\n';
    std::cout.flush();
    if (!result.warnings.empty() && status == ExitReachedEnd) status = ExitWarnings;
  }
  if (!stock.profileFile.empty()) {
    std::ofstream out(stock.profileFile, std::ios::binary | std::ios::trunc);
    out << ProfileSvg(*result.workpiece);
    if (!out.flush()) {
      std::cerr << "draivo-sim: cannot write the profile " << stock.profileFile << '\n';
      if (status == ExitReachedEnd || status == ExitWarnings) status = ExitFileError;
    }
  }
  return status;
}

int simulate(const CommandLine& options) {
  HeadlessOptions run;
  run.zoom = options.zoom;
  run.direct = options.direct;
  run.collectTrace = false;
  run.recordTime = options.time;
  run.stepBudget = options.maxBlocks;
  run.workpiece = options.stock.setup();
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
  return finishStock(options.stock, result, status);
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
