#pragma once

#include <string>

namespace draivo {

// The close of a design program: the retreat with coolant off, "M30 ;" and the end marker,
// which has no line end after it.
std::string ProgramEndText();

}  // namespace draivo
