#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "run/TextEncoding.h"

namespace draivo {

// Outcome of a file operation of the editor: the text read and its encoding (for reads), or
// the Dutch message that tells the user what went wrong.
struct FileResult {
  bool ok{};
  std::string content;
  std::string message;
  FileEncoding encoding = FileEncoding::Utf8;
  std::string unencodable;  // a save refused: the characters the encoding cannot hold
};

// The editor separates lines with LF; its files end lines with CR LF.
std::string ToFileText(std::string_view editorText);
std::string FromFileText(std::string_view fileText);

// The bytes of a regular file; nothing when it is not one or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& fileName);
// Writes the bytes over the file; false when that fails.
bool WriteFileBytes(const std::string& fileName, std::string_view content);

// Reads a whole file as text (UTF-8, see DecodeText) and tells its encoding. A missing file,
// one that cannot be read and one that is not program text (IsProgramText) are reported.
FileResult ReadTextFile(const std::string& fileName);

// Writes the text (UTF-8) in the encoding through SaveFileAtomically. When the encoding
// cannot hold every character nothing is written and `unencodable` names them.
FileResult SaveTextFile(const std::string& fileName, std::string_view text, FileEncoding encoding);

// Writes the content to a temporary file beside the target and renames it over the target,
// so a failed save leaves an existing file whole.
FileResult SaveFileAtomically(const std::string& fileName, std::string_view content);
// The temporary file SaveFileAtomically writes first.
std::string AtomicSaveTempPath(const std::string& fileName);

// Deletes a file; a missing file or one that cannot be deleted is reported.
FileResult RemoveFile(const std::string& fileName);

}  // namespace draivo
