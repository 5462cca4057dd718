#include "TextCommandFiles.h"

#include <filesystem>

#include "Diagnostics.h"
#include "StandardInput.h"
#include "editor/FileCommand.h"
#include "run/FileHelpers.h"

namespace draivo::cli {
namespace {

// A file larger than any program is refused before it is read, as a run refuses it.
bool tooLarge(const std::string& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) &&
         std::filesystem::file_size(file, error) > MaxProgramFileBytes && !error;
}

FileResult runCommand(const CommandLine& options, const ProgramName& name,
                      const std::string& output, const std::string& programFolder) {
  if (!tooLarge(name.file)) {
    return RunTextCommandOnFile(*options.textCommand, name.file, output, programFolder);
  }
  FileResult refused;
  refused.message = "Het bestand \"" + name.file + "\" is groter dan " +
                    std::to_string(MaxProgramFileBytes >> 20) + " MiB en is niet gewijzigd.";
  return refused;
}

}  // namespace

CheckOutcome RunTextCommandFile(const CommandLine& options, const ProgramName& name,
                                const std::string& programFolder, const std::string& scratchFile,
                                std::ostream& err) {
  const std::string& requested = options.outputFile.empty() ? name.shown : options.outputFile;
  const bool toStandardOutput = requested == StandardInputName;
  const std::string output = toStandardOutput ? scratchFile : requested;
  const FileResult result = runCommand(options, name, output, programFolder);
  bool written = result.ok;
  if (written && toStandardOutput) {
    written = CopyToStandardOutput(output);
    std::error_code ignored;
    std::filesystem::remove(output, ignored);
  }
  if (!written) {
    const std::string why = result.ok ? "standard output cannot be written"
                                      : ShownText(result.message, name.file, name.shown);
    err << "draivo-sim: " << name.shown << ": " << why << '\n';
    return {ExitFileError, true};
  }
  return {ExitReachedEnd, false};
}

}  // namespace draivo::cli
