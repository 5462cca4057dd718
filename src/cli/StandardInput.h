#pragma once

#include <filesystem>
#include <string>

namespace draivo::cli {

// A new folder under the system's temporary folder, removed with what it holds.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A program read from standard input, kept in a file of a temporary folder of its own for as
// long as the object lives (runs read their programs from files). It holds at most one byte
// more than a program file may have, so that a larger one is refused as a file would be.
class StandardInputFile {
 public:
  StandardInputFile();

  const std::string& path() const { return path_; }

 private:
  TemporaryFolder folder_;
  std::string path_;
};

// Copies the bytes of a file to standard output; false when it cannot be read.
bool CopyToStandardOutput(const std::string& file);

}  // namespace draivo::cli
