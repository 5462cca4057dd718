#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineRules.h"

namespace draivo {

// Name of the work file the text commands write into the program folder.
inline constexpr std::string_view WorkFileName = "Temp.$$$";

// Outcome of a text command: the new file text, or a Dutch message and no change.
struct TextCommandResult {
  bool ok{};
  std::string text;
  std::string message;
};

// Splits file text at CR LF; a final CR LF ends the last line and adds no empty one.
std::vector<std::string> SplitFileLines(std::string_view fileText);

// How the commands write, read and delete their work file; the tests put failures in.
struct WorkFileAccess {
  std::function<bool(const std::filesystem::path&, std::string_view)> write;
  std::function<std::optional<std::string>(const std::filesystem::path&)> read;
  std::function<bool(const std::filesystem::path&)> remove;
};
WorkFileAccess DiskWorkFileAccess();

// Runs one of the three commands over a whole text in file form (UTF-8, lines ended by
// CR LF): the text goes through the work file in the program folder (a new file, so UTF-8 as
// it stands, read back through DecodeText), is rewritten line by line and comes back with
// every line ended by CR LF. The work file is gone afterwards.
TextCommandResult RunTextCommand(TextCommand command, std::string_view fileText,
                                 const std::string& programFolder,
                                 const WorkFileAccess& access = DiskWorkFileAccess());

}  // namespace draivo
