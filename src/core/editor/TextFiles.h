#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace draivo {

// Outcome of a file operation of the editor: the content read (for reads) or the Dutch
// message that tells the user what went wrong.
struct FileResult {
  bool ok = false;
  std::string content;
  std::string message;
};

// The editor separates lines with LF; its files end lines with CR LF.
std::string ToFileText(std::string_view editorText);
std::string FromFileText(std::string_view fileText);

// The bytes of a regular file; nothing when it is not one or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& fileName);
// Writes the bytes over the file; false when that fails.
bool WriteFileBytes(const std::string& fileName, std::string_view content);

// Reads a whole file as bytes. A missing file or one that cannot be read is reported.
FileResult ReadTextFile(const std::string& fileName);

// Writes the content to a temporary file beside the target and renames it over the target,
// so a failed save leaves an existing file whole.
FileResult SaveFileAtomically(const std::string& fileName, std::string_view content);
// The temporary file SaveFileAtomically writes first.
std::string AtomicSaveTempPath(const std::string& fileName);

// Deletes a file; a missing file or one that cannot be deleted is reported.
FileResult RemoveFile(const std::string& fileName);

}  // namespace draivo
