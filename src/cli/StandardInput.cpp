#include "StandardInput.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "run/FileHelpers.h"

namespace draivo::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t CopyChunk = 1 << 16;

}  // namespace

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (fs::temp_directory_path() / "draivo-sim-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

StandardInputFile::StandardInputFile() : path_((folder_.path() / "standard-input.nc").string()) {
  std::ofstream out(path_, std::ios::binary);
  std::uintmax_t left = MaxProgramFileBytes + 1;
  char buffer[CopyChunk];
  while (left > 0 && std::cin.read(buffer, static_cast<std::streamsize>(std::min<std::uintmax_t>(left, sizeof buffer)))
                         .gcount() > 0) {
    const auto got = static_cast<std::size_t>(std::cin.gcount());
    out.write(buffer, static_cast<std::streamsize>(got));
    left -= got;
  }
  if (!out.flush()) throw std::runtime_error("cannot keep standard input in " + path_);
}

bool CopyToStandardOutput(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::cout << in.rdbuf();
  std::cout.flush();
  return !std::cout.fail();
}

}  // namespace draivo::cli
