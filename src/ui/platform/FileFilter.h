#pragma once

#include <string>

namespace draivo {

// Turns a dialog filter of description|pattern pairs ("NC bestanden (*.nc)|*.nc|...") into
// the form of the Qt file dialogs ("NC bestanden (*.nc);;..."). A description that does not
// show its pattern gets it added in brackets.
std::string QtFileFilter(const std::string& filter);

}  // namespace draivo
