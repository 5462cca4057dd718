#pragma once

#include <filesystem>
#include <string>

namespace draivo::cli {

// A program read from standard input, kept in a file of a temporary folder of its own for as
// long as the object lives (runs read their programs from files). It holds at most one byte
// more than a program file may have, so that a larger one is refused as a file would be.
class StandardInputFile {
 public:
  StandardInputFile();
  ~StandardInputFile();
  StandardInputFile(const StandardInputFile&) = delete;
  StandardInputFile& operator=(const StandardInputFile&) = delete;

  const std::string& path() const { return path_; }
  // A file in the same folder, for a result that goes to standard output afterwards.
  std::string outputPath() const;

 private:
  std::filesystem::path folder_;
  std::string path_;
};

// Copies the bytes of a file to standard output; false when it cannot be read.
bool CopyToStandardOutput(const std::string& file);

}  // namespace draivo::cli
