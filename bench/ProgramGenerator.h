#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace draivo::bench {

// A generated program: the main program's lines and the subprograms it calls, by file name.
struct GeneratedProgram {
  std::vector<std::string> lines;
  std::map<std::string, std::vector<std::string>> subprograms;
};

// Which parts a generated program is made of.
struct GeneratorMix {
  bool shaft = true;          // straight moves and arcs (R form and I/K form) along a shaft
  bool singleCycles = true;   // G90 and G94 with repetition lines
  bool contourCycles = true;  // G71, G72, G73 with their contours and a G70
  bool threads = true;        // G76 after a G97 block
  // Every this many sections call the subprogram O0002.nc five times (0: never).
  std::size_t subprogramEvery = 200;
};

// A realistic long program of exactly `blocks` lines (at least a handful): a program number,
// then repeated machining sections that stay inside the view at the start zoom, then M30.
GeneratedProgram GenerateProgram(std::size_t blocks, const GeneratorMix& mix = {});

// The mix of moves only: the shaft sections and the subprogram calls, no cycles.
GeneratorMix MovesOnlyMix();

// One G71 roughing cycle that makes 30 passes at zoom 3.4 (and its finishing contour).
GeneratedProgram RoughingCycleProgram();

// Writes the program as "program.nc" (lines ended by CR LF) and its subprograms into the
// folder; returns the path of the main program.
std::filesystem::path WriteProgram(const GeneratedProgram& program,
                                   const std::filesystem::path& folder);

}  // namespace draivo::bench
