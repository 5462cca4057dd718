#include "ProgramCheck.h"

#include <fstream>

#include "Diagnostics.h"
#include "JsonReport.h"
#include "run/HeadlessRun.h"
#include "stock/StockProfile.h"
#include "time/TimeTable.h"

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

void printStatus(const HeadlessResult& result, std::ostream& out) {
  for (const StatusRow& row : result.status) out << row.caption << '\t' << row.value << '\n';
}

HeadlessOptions runOptions(const CommandLine& options) {
  HeadlessOptions run;
  run.zoom = options.zoom;
  run.direct = options.direct;
  run.collectTrace = false;
  run.recordTime = options.time || options.json;
  run.stepBudget = options.maxBlocks;
  run.untilLine = options.untilBlock;
  run.workpiece = options.stock.setup(options.check);
  return run;
}

// The workpiece's part of the check: a blank comment that cannot be read, no blank for
// --profile, and the --profile picture. Gives the exit status.
int finishStock(const CommandLine& options, const HeadlessResult& result, int status,
                const std::string& prefix, std::ostream& err) {
  if (result.blankFault) {
    const BlankCommentFault& fault = *result.blankFault;
    err << prefix << fault.where.file << ':' << fault.where.line << ": error: blank comment: "
        << FaultText(fault.fault, Language::English) << ": " << fault.where.block << '\n';
    return ExitUsage;
  }
  const std::string& profile = options.stock.profileFile;
  if (profile.empty()) return status;
  if (!result.workpiece) {
    if (result.outcome == RunOutcome::FileUnreadable || result.outcome == RunOutcome::NotAProgram) {
      return status;
    }
    err << prefix
        << "draivo-sim: no workpiece: give --stock, or a line (WERKSTUK D.. L..) in the program\n";
    return ExitUsage;
  }
  std::ofstream out(profile, std::ios::binary | std::ios::trunc);
  out << ProfileSvg(*result.workpiece);
  if (!out.flush()) {
    err << prefix << "draivo-sim: cannot write the profile " << profile << '\n';
    if (status == ExitReachedEnd || status == ExitFaults) status = ExitFileError;
  }
  return status;
}

}  // namespace

CheckOutcome CheckProgram(const CommandLine& options, const ProgramName& name, std::ostream& out,
                          std::ostream& err) {
  const std::string prefix = name.several ? name.shown + ": " : "";
  // Faults go to standard error as they come, unless they are printed as check lines or JSON.
  const bool faultsOnErr = !options.check && !options.json;
  HeadlessOptions run = runOptions(options);
  if (options.trace) run.onTrace = [&out](const std::string& block) { out << block << '\n'; };
  if (faultsOnErr) {
    run.onMessage = [&](const std::string& message) {
      err << prefix << ShownText(message, name.file, name.shown) << '\n';
    };
  }
  if (name.several && (options.trace || options.status || options.time) && !options.json) {
    out << "==> " << name.shown << " <==\n";
  }

  const HeadlessResult result = RunHeadless(name.file, run);
  const std::vector<Diagnostic> faults = FaultsOf(result, name.file, name.shown);
  const std::vector<Diagnostic> warnings = WarningsOf(result, name.file, name.shown);
  if (result.budgetExhausted && faultsOnErr) {
    err << prefix << "draivo-sim: " << BudgetNote(result) << '\n';
  }
  if (options.status) printStatus(result, out);
  if (options.time) out << FormatTimeTable(MakeTimeTable(result.time, options.rapidRate));

  CheckOutcome outcome{exitStatusOf(result), !faults.empty()};
  if (!options.bmpFile.empty() && !result.picture.writeBmp(options.bmpFile)) {
    err << prefix << "draivo-sim: cannot write the picture " << options.bmpFile << '\n';
    if (outcome.status == ExitReachedEnd) outcome.status = ExitFileError;
  }
  if (options.check) {
    for (const Diagnostic& fault : faults) out << CheckLine(fault, "error") << '\n';
    for (const Diagnostic& warning : warnings) out << CheckLine(warning, "warning") << '\n';
    const bool reported = outcome.faulted || !warnings.empty();
    if (reported && outcome.status == ExitReachedEnd) outcome.status = ExitFaults;
  }
  outcome.status = finishStock(options, result, outcome.status, prefix, err);
  if (options.json) {
    out << JsonReport({name.file, name.shown, outcome.status, result, faults, warnings,
                       options.rapidRate})
        << '\n';
  }
  out.flush();
  err.flush();
  return outcome;
}

}  // namespace draivo::cli
