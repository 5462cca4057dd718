#pragma once

#include <string>

namespace draivo::cli {

// The program folder, where the editor's text commands write their work file, chosen as the
// window chooses it: the folder of the executable when the user may write there and it is
// not an installed copy, otherwise the user's data folder for Draivo, made when needed.
std::string ProgramFolder();

}  // namespace draivo::cli
