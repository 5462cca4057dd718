#include "run/FileHelpers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

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

std::optional<OpenedFile> OpenProgramFile(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error) || error) return {};
  const auto size = std::filesystem::file_size(fileName, error);
  if (error || size > MaxProgramFileBytes) return {};
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return {};
  return OpenedFile{std::move(in), size};
}

std::optional<std::string> ReadWholeFile(const std::string& fileName) {
  std::optional<OpenedFile> file = OpenProgramFile(fileName);
  if (!file) return {};
  std::ifstream& in = file->in;
  std::string content;
  content.reserve(static_cast<std::size_t>(file->size));
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad() || content.size() > MaxProgramFileBytes) return {};
  return content;
}

std::string_view NextLine(std::string_view text, std::size_t& at) {
  std::size_t end = at;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  const std::string_view line = text.substr(at, end - at);
  at = end;
  if (at < text.size() && text[at] == '\r') ++at;
  if (at < text.size() && text[at] == '\n' && (at == end || text[at - 1] == '\r')) ++at;
  return line;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) lines.emplace_back(NextLine(text, at));
  return lines;
}

}  // namespace draivo
