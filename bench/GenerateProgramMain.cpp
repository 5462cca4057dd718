// draivo-bench-gen FOLDER [BLOCKS [moves]]: writes a generated program of BLOCKS lines
// (100000 by default) as FOLDER/program.nc, with the subprogram it calls beside it; "moves"
// leaves the cycles out.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "ProgramGenerator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4 || (argc == 4 && std::string(argv[3]) != "moves")) {
    std::cerr << "usage: draivo-bench-gen FOLDER [BLOCKS [moves]]\n";
    return 2;
  }
  constexpr std::size_t DefaultBlocks = 100000;
  try {
    const std::size_t blocks = argc >= 3 ? std::stoul(argv[2]) : DefaultBlocks;
    const auto mix = argc == 4 ? draivo::bench::MovesOnlyMix() : draivo::bench::GeneratorMix{};
    const auto path =
        draivo::bench::WriteProgram(draivo::bench::GenerateProgram(blocks, mix), argv[1]);
    std::cout << path.string() << '\n';
  } catch (const std::exception& error) {
    std::cerr << "draivo-bench-gen: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
