// The editor's three text commands on arbitrary file text (work file kept in memory): they
// must not fail, and a rewritten text keeps exactly as many lines as it had.
#include <map>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "editor/TextCommands.h"

namespace {

draivo::WorkFileAccess memoryAccess(std::map<std::string, std::string>& files) {
  draivo::WorkFileAccess access;
  access.write = [&files](const std::filesystem::path& file, std::string_view content) {
    files[file.string()] = std::string(content);
    return true;
  };
  access.read = [&files](const std::filesystem::path& file) -> std::optional<std::string> {
    const auto found = files.find(file.string());
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
  access.remove = [&files](const std::filesystem::path& file) {
    files.erase(file.string());
    return true;
  };
  return access;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = draivo::fuzz::asText(data, size);
  const std::size_t lines = draivo::SplitFileLines(text).size();
  for (const auto command : {draivo::TextCommand::SpreadWords, draivo::TextCommand::AddLineNumbers,
                             draivo::TextCommand::RemoveLineNumbers}) {
    std::map<std::string, std::string> files;
    const draivo::TextCommandResult result =
        draivo::RunTextCommand(command, text, "/fuzz", memoryAccess(files));
    DRAIVO_FUZZ_CHECK(files.empty());  // the work file is gone afterwards
    if (!result.ok) {
      DRAIVO_FUZZ_CHECK(!result.message.empty());
      continue;
    }
    DRAIVO_FUZZ_CHECK(draivo::SplitFileLines(result.text).size() == lines);
    // Running the same command again changes nothing more.
    const draivo::TextCommandResult again =
        draivo::RunTextCommand(command, result.text, "/fuzz", memoryAccess(files));
    DRAIVO_FUZZ_CHECK(!again.ok || draivo::SplitFileLines(again.text).size() == lines);
  }
  return 0;
}
