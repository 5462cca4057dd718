#pragma once

#include <string>

#include "editor/TextCommands.h"
#include "editor/TextFiles.h"

namespace draivo {

// Runs a text command on a file as the editor does when the file is opened, the command is
// chosen and the file is saved: the file read as the editor reads it (refused when it is no
// program text), its line ends made the editor's, the command run through the work file in
// the program folder, and the result saved over `outputFile` in the encoding the file was
// read in. When any step fails nothing is written and the message says why.
FileResult RunTextCommandOnFile(TextCommand command, const std::string& inputFile,
                                const std::string& outputFile, const std::string& programFolder);

}  // namespace draivo
