#pragma once

#include <optional>
#include <string>
#include <vector>

namespace draivo {

struct LoadedProgram {
  std::vector<std::string> blocks;     // normalised, in file order
  std::optional<std::string> caption;  // from the last program-number line, if any
};

// The window caption for a program-number line: "Draivo O" + the four characters after
// its first one + ".nc" (":0012 ;" gives "Draivo O0012.nc").
std::string CaptionOf(const std::string& block);

// Turns the text of a program file into blocks: lines split at CR, LF or CR LF, the start
// line skipped, loading ended by an empty line or the end line, every other line normalised.
LoadedProgram LoadProgramText(const std::string& text);

}  // namespace draivo
