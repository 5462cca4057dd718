#include "TextCommandFiles.h"

#include <filesystem>

#include "Diagnostics.h"
#include "StandardInput.h"
#include "editor/FileCommand.h"

namespace draivo::cli {

CheckOutcome RunTextCommandFile(const CommandLine& options, const ProgramName& name,
                                const std::string& programFolder, const std::string& scratchFile,
                                std::ostream& err) {
  const std::string& requested = options.outputFile.empty() ? name.shown : options.outputFile;
  const bool toStandardOutput = requested == StandardInputName;
  const std::string output = toStandardOutput ? scratchFile : requested;
  const FileResult result =
      RunTextCommandOnFile(*options.textCommand, name.file, output, programFolder);
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
