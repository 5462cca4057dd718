#include "editor/TextCommands.h"

#include <filesystem>
#include <optional>

#include "design/ProgramMarkers.h"
#include "editor/TextFiles.h"
#include "run/TextEncoding.h"

namespace draivo {
namespace {

namespace fs = std::filesystem;

bool deleteWorkFile(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return !fs::exists(file, error);
  return fs::remove(file, error) && !error;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + LineEnd.size();
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) text.append(line).append(LineEnd);
  return text;
}

std::string workFileMessage(const fs::path& file, std::string_view what) {
  return "Het werkbestand \"" + file.string() + "\" kan niet " + std::string(what) +
         " worden. De tekst is niet gewijzigd.";
}

TextCommandResult failure(std::string message) {
  return {false, {}, std::move(message)};
}

std::string overflowMessage() {
  return "Regel nummers gaan niet verder dan N" +
         std::to_string(MaxLineNumber - MaxLineNumber % LineNumberStep) +
         ". Deze tekst heeft te veel regels om te nummeren en is niet gewijzigd.";
}

// Writes, reads back, rewrites and reads back again through the work file; the caller deletes it.
TextCommandResult rewriteThroughWorkFile(TextCommand command, std::string_view fileText,
                                         const fs::path& workFile, const WorkFileAccess& access) {
  if (!access.write(workFile, fileText)) return failure(workFileMessage(workFile, "geschreven"));
  const auto saved = access.read(workFile);
  if (!saved) return failure(workFileMessage(workFile, "gelezen"));
  auto lines = RewriteLines(command, SplitFileLines(*saved));
  if (!lines) return failure(overflowMessage());
  if (!access.write(workFile, joinLines(*lines))) {
    return failure(workFileMessage(workFile, "geschreven"));
  }
  auto rewritten = access.read(workFile);
  if (!rewritten) return failure(workFileMessage(workFile, "gelezen"));
  return {true, std::move(*rewritten), {}};
}

}  // namespace

std::vector<std::string> SplitFileLines(std::string_view fileText) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < fileText.size()) {
    auto end = fileText.find(LineEnd, start);
    if (end == std::string_view::npos) end = fileText.size();
    lines.emplace_back(fileText.substr(start, end - start));
    start = end + LineEnd.size();
  }
  return lines;
}

WorkFileAccess DiskWorkFileAccess() {
  return {[](const fs::path& file, std::string_view content) {
            return WriteFileBytes(file.string(), content);
          },
          [](const fs::path& file) -> std::optional<std::string> {
            auto bytes = ReadFileBytes(file.string());
            if (!bytes) return {};
            return DecodeText(std::move(*bytes)).text;
          },
          deleteWorkFile};
}

TextCommandResult RunTextCommand(TextCommand command, std::string_view fileText,
                                 const std::string& programFolder, const WorkFileAccess& access) {
  const auto workFile = fs::path(programFolder) / WorkFileName;
  auto result = rewriteThroughWorkFile(command, fileText, workFile, access);
  if (!access.remove(workFile) && result.ok) {
    return failure(workFileMessage(workFile, "verwijderd"));
  }
  return result;
}

}  // namespace draivo
