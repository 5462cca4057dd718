#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "run/ProgramLoader.h"

namespace draivo {

// The programs a run loaded last, so that coming back to a caller after a subprogram does
// not read and normalise its file again. A program is used again only while its file is
// unchanged on disk: the same size and modification time, and that time was already some
// seconds old when the file was read (a file written again within the same clock tick
// cannot pass for the one that was read).
class ProgramCache {
 public:
  // Programs kept: a main program and the subprogram it calls.
  static constexpr std::size_t Capacity = 2;
  // How old a modification time must be before a program is kept.
  static constexpr std::chrono::seconds SettledAfter{2};

  struct Loaded {
    std::shared_ptr<const LoadedProgram> program;  // null when the file gave none
    LoadFailure failure = LoadFailure::None;
  };
  // The program of the file, or why there is none.
  Loaded load(const std::string& fileName);
  void clear() { entries_.clear(); }

 private:
  struct Stamp {
    std::uintmax_t size{};
    std::filesystem::file_time_type modified;
    bool operator==(const Stamp&) const = default;
  };
  struct Entry {
    std::string fileName;
    Stamp stamp;
    std::shared_ptr<const LoadedProgram> program;
  };
  static bool stampOf(const std::string& fileName, Stamp& stamp);

  std::vector<Entry> entries_;  // the most recently used first
};

}  // namespace draivo
