#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace draivo {

// The path up to and including its last "/", or "" when it has none.
std::string DirectoryOf(const std::string& path);

// True when the name contains "." and the length of the file can be read (a regular file).
bool FileExists(const std::string& fileName);

// Program files larger than this are refused as unreadable: no lathe program comes near it.
inline constexpr std::uintmax_t MaxProgramFileBytes = 64u * 1024u * 1024u;

// A program file open for reading, and its size.
struct OpenedFile {
  std::ifstream in;
  std::uintmax_t size{};
};

// Opens a regular file of at most MaxProgramFileBytes; nothing when it is missing, not a
// regular file (a folder, a device, a pipe), larger or cannot be opened.
std::optional<OpenedFile> OpenProgramFile(const std::string& fileName);

// The whole content of a regular file; nothing when it is missing, not a regular file (a
// folder, a device, a pipe), larger than MaxProgramFileBytes or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& fileName);

// The line that starts at `at`, ended by CR, LF or CR LF (or the end of the text); `at`
// moves past its line break.
std::string_view NextLine(std::string_view text, std::size_t& at);

// Splits a text into lines at CR, LF or CR LF. A final line break ends the last line and
// adds no empty line after it.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace draivo
