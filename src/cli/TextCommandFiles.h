#pragma once

#include <ostream>

#include "CommandLine.h"
#include "ProgramCheck.h"

namespace draivo::cli {

// Applies the text command of the options to one file, as the editor's command and Save do:
// over the file itself, to --output, or to standard output for a program read from standard
// input or an output named "-". A file the command cannot handle is left as it was and `err`
// says why.
CheckOutcome RunTextCommandFile(const CommandLine& options, const ProgramName& name,
                                const std::string& programFolder, std::ostream& err);

}  // namespace draivo::cli
