#include "ExitStatus.h"

#include <algorithm>

namespace draivo::cli {
namespace {

int severity(int status) {
  switch (status) {
    case ExitReachedEnd:
      return 0;
    case ExitFaults:
      return 1;
    case ExitNotReached:
      return 2;
    case ExitStopped:
      return 3;
    case ExitFileError:
      return 4;
    default:  // bad usage, a blank comment that cannot be read
      return 5;
  }
}

}  // namespace

int WorstStatus(const std::vector<CheckOutcome>& outcomes) {
  int worst = ExitReachedEnd;
  for (const CheckOutcome& outcome : outcomes) {
    if (severity(outcome.status) > severity(worst)) worst = outcome.status;
  }
  return worst;
}

std::string SummaryLine(const std::vector<CheckOutcome>& outcomes) {
  const auto faulty = std::count_if(outcomes.begin(), outcomes.end(), [](const CheckOutcome& o) {
    return o.status != ExitReachedEnd || o.faulted;
  });
  return std::to_string(outcomes.size()) + " programma's, " + std::to_string(faulty) +
         " met fouten";
}

}  // namespace draivo::cli
