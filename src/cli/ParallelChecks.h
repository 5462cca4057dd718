#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "ProgramCheck.h"

namespace draivo::cli {

// Checks `count` programs, `jobs` at a time, each in a process of its own (a fork of this
// one, so that no run shares state with another). `check(i)` prints on std::cout and
// std::cerr; what each process prints is kept and written out in the order of the indexes,
// so the output is the same as of one check after the other. A process that dies gets
// ExitStopped and the line `crashNote(i, signal)` on standard error.
std::vector<CheckOutcome> CheckInParallel(
    std::size_t count, unsigned jobs, const std::function<CheckOutcome(std::size_t)>& check,
    const std::function<std::string(std::size_t, int)>& crashNote);

}  // namespace draivo::cli
