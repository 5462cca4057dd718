#pragma once

#include <string>
#include <vector>

#include "ProgramCheck.h"

namespace draivo::cli {

// The worst exit status of the files: a blank comment that cannot be read (2) is worse than a
// file that could not be read (1), which is worse than a run that stopped early (3), which is
// worse than a block of --until-block never reached (5), which is worse than faults or
// warnings reported (4), which is worse than 0.
int WorstStatus(const std::vector<CheckOutcome>& outcomes);

// "N programma's, M met fouten": the files, and those that did not end well or reported a
// fault.
std::string SummaryLine(const std::vector<CheckOutcome>& outcomes);

}  // namespace draivo::cli
