#pragma once

#include <string>

namespace draivo {

// What an M98 block asks for: the subprogram file and how many passes to run it.
struct SubprogramCall {
  std::string fileName;
  int passes = 1;
  bool passesCapped{};  // the P word asked for more than MaxSubprogramPasses passes
};

// Repetition counts above this are cut to it (a P word holds at most four repetition digits).
inline constexpr int MaxSubprogramPasses = 9999;

// The call of an M98 block: the file "O" + the last four characters of the P word's number
// + ".nc" in the folder of the main program; the passes are the characters before those
// four (one pass when there are none, so "M98 P1234;" runs O1234.nc once).
SubprogramCall SubprogramCallOf(const std::string& block, const std::string& mainProgramFile);

}  // namespace draivo
