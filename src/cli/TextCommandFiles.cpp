#include "TextCommandFiles.h"

#include <filesystem>
#include <optional>

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
                                const std::string& programFolder, std::ostream& err) {
  const std::string& requested = options.outputFile.empty() ? name.shown : options.outputFile;
  const bool toStandardOutput = requested == StandardInputName;
  // A result for standard output is saved as a file first, as every result is.
  std::optional<TemporaryFolder> scratch;
  if (toStandardOutput) scratch.emplace();
  const std::string output = scratch ? (scratch->path() / "output.nc").string() : requested;
  const FileResult result = runCommand(options, name, output, programFolder);
  const bool written = result.ok && (!toStandardOutput || CopyToStandardOutput(output));
  if (!written) {
    const std::string why = result.ok ? "standard output cannot be written"
                                      : ShownText(result.message, name.file, name.shown);
    err << "draivo-sim: " << name.shown << ": " << why << '\n';
    return {ExitFileError, true};
  }
  return {ExitReachedEnd, false};
}

}  // namespace draivo::cli
