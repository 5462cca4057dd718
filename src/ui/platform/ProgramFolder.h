#pragma once

#include <QString>

namespace draivo {

// The program folder: where Draivo writes its own files, the design file "T0000.Nc", the
// picture exports and the editor's work file "Temp.$$$". It is the folder of the executable
// when the user can write there and it is not an installed copy (as run from the build
// folder); otherwise the user's data folder for Draivo, made when first asked for.
QString ProgramFolder();

// The same choice for an executable in `executableFolder`, with `userFolder` as the
// fallback. An executable counts as installed when the desktop entry lies beside it in the
// installed layout.
QString ChooseProgramFolder(const QString& executableFolder, const QString& userFolder);

}  // namespace draivo
