#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramCheck.h"

namespace draivo::cli {

// Checks one program, printing on the two streams.
using CheckOne = std::function<CheckOutcome(std::size_t index, std::ostream& out, std::ostream& err)>;

// Checks `count` programs in `jobs` worker processes (forks of this one), each of which checks
// one program after the other as it is handed their indexes, as a single process would. What
// each check prints is kept and written to std::cout and std::cerr in the order of the
// indexes, so the output is that of one check after the other. A check whose worker dies gets
// ExitStopped and the line `crashNote(index, signal)` on standard error; a new worker takes
// over the checks left.
std::vector<CheckOutcome> CheckInParallel(
    std::size_t count, unsigned jobs, const CheckOne& check,
    const std::function<std::string(std::size_t, int)>& crashNote);

}  // namespace draivo::cli
