#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "nc/BlockTexts.h"
#include "run/TextEncoding.h"

namespace draivo {

struct LoadedProgram {
  std::shared_ptr<const BlockTexts> blocks;  // normalised, in file order
  std::optional<std::string> caption;        // from the last program-number line, if any
};

// Builds a program from the lines of its file, one at a time: the start line skipped, loading
// ended by an empty line or the end line, every other line normalised.
class ProgramBuilder {
 public:
  // `expectedBytes`, the size of the file, reserves the room its blocks will take; the lines
  // are decoded from the file's `encoding` into the program's UTF-8.
  explicit ProgramBuilder(std::size_t expectedBytes = 0,
                          FileEncoding encoding = FileEncoding::Utf8);
  // False once loading has ended; the lines after that are not looked at.
  bool addLine(std::string_view line);
  // The program built; the builder is used up.
  LoadedProgram finish() &&;

 private:
  bool addText(std::string_view line);

  std::shared_ptr<BlockTexts> blocks_;
  std::optional<std::string> caption_;
  FileEncoding encoding_;
  bool firstLine_ = true;
  bool ended_{};
};

// The program of a whole file text: lines split at CR, LF or CR LF.
LoadedProgram LoadProgramText(std::string_view text);

// Why a file gave no program.
enum class LoadFailure {
  None,
  Unreadable,   // missing, not a regular file, larger than MaxProgramFileBytes or unreadable
  NotAProgram,  // its bytes are not program text (ProgramTextCheck)
};

struct ProgramFileLoad {
  std::optional<LoadedProgram> program;  // nothing when the file gave none
  LoadFailure failure = LoadFailure::None;
};

// The program of a file, read in chunks of `chunkBytes` so that the file's text is never held
// whole besides its blocks. The file is read twice: once to tell its encoding (as DecodeText
// would for the whole file) and whether it is program text at all, once for its lines.
ProgramFileLoad LoadProgramFile(const std::string& fileName, std::size_t chunkBytes = 1 << 20);

// Whether the file can be loaded as a program: it is read in chunks as LoadProgramFile reads
// it, without building blocks. None, Unreadable or NotAProgram.
LoadFailure CheckProgramFile(const std::string& fileName, std::size_t chunkBytes = 1 << 20);

// True when NormaliseBlock gives the line back unchanged, decided in one pass over it: a
// capital, then only capitals, digits, "-", "." before a digit, and single blanks each before
// a capital, the whole ended by " ;", without "M98" or a single-digit G or M code.
bool IsNormalBlock(std::string_view line);

}  // namespace draivo
