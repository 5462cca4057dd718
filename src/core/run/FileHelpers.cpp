#include "run/FileHelpers.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace draivo {

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FileExists(const std::string& fileName) {
  if (fileName.find('.') == std::string::npos) return false;
  std::error_code error;
  const auto size = std::filesystem::file_size(fileName, error);
  return !error && size != static_cast<std::uintmax_t>(-1);
}

std::optional<std::string> ReadWholeFile(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error) || error) return std::nullopt;
  const auto size = std::filesystem::file_size(fileName, error);
  if (error || size > MaxProgramFileBytes) return std::nullopt;

  std::ifstream in(fileName, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content;
  content.reserve(static_cast<std::size_t>(size));
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad() || content.size() > MaxProgramFileBytes) return std::nullopt;
  return content;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a line has started that no break has ended yet
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

}  // namespace draivo
