#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "run/HeadlessRun.h"
#include "support/TempFolder.h"

namespace draivo::test {

// Steps every limit case must finish in: far more than any of them needs, so that a run that
// stops at the budget shows work that is not bounded.
inline constexpr std::uint64_t LimitStepBudget = 1'000'000;

// A program, its subprograms (file name to lines) and what a run of it did.
struct LimitRunResult {
  HeadlessResult result;
  std::uint64_t executed = 0;      // blocks handed to ExecuteBlock
  std::vector<std::string> found;  // the searched blocks that were executed, in search order
  std::string folder;              // where the program files were, with a final "/"
};

inline std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// Writes the program as "program.nc" (and its subprograms beside it) and runs it headless
// without keeping the trace; `searched` blocks are looked for as they are executed.
inline LimitRunResult RunLimitProgram(const std::vector<std::string>& program,
                                      const std::map<std::string, std::vector<std::string>>& subs,
                                      bool direct, const std::vector<std::string>& searched = {},
                                      std::uint64_t budget = LimitStepBudget) {
  TempFolder folder;
  const std::string main = folder.write("program.nc", joinLines(program));
  for (const auto& [name, lines] : subs) folder.write(name, joinLines(lines));

  LimitRunResult run;
  std::vector<bool> seen(searched.size(), false);
  HeadlessOptions options;
  options.direct = direct;
  options.stepBudget = budget;
  options.collectTrace = false;
  options.onTrace = [&](const std::string& block) {
    ++run.executed;
    for (std::size_t i = 0; i < searched.size(); ++i) {
      if (!seen[i] && block == searched[i]) seen[i] = true;
    }
  };
  run.result = RunHeadless(main, options);
  for (std::size_t i = 0; i < searched.size(); ++i) {
    if (seen[i]) run.found.push_back(searched[i]);
  }
  run.folder = folder.path().string() + "/";
  return run;
}

}  // namespace draivo::test
