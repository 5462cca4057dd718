#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace draivo {

// More program lines than this are not loaded: the list of a longer program would take more
// memory than a lathe program can need (a 64 MB file of short lines would take gigabytes).
inline constexpr std::size_t MaxProgramLines = 1'000'000;

struct LoadedProgram {
  std::vector<std::string> blocks;     // normalised, in file order
  std::optional<std::string> caption;  // from the last program-number line, if any
  bool tooLong = false;                // loading stopped at MaxProgramLines blocks
};

// Turns the text of a program file into blocks: lines split at CR, LF or CR LF, the start
// line skipped, loading ended by an empty line or the end line, every other line normalised.
// Lines are taken one at a time, so that no second copy of a large text is made.
LoadedProgram LoadProgramText(const std::string& text);

}  // namespace draivo
