#include "editor/FileCommand.h"

namespace draivo {

FileResult RunTextCommandOnFile(TextCommand command, const std::string& inputFile,
                                const std::string& outputFile, const std::string& programFolder) {
  const FileResult read = ReadTextFile(inputFile);
  if (!read.ok) return read;
  // The editor holds the text with its own line ends and hands it back in file form.
  const std::string fileText = ToFileText(FromFileText(read.content));
  const TextCommandResult rewritten = RunTextCommand(command, fileText, programFolder);
  if (!rewritten.ok) {
    FileResult refused;
    refused.message = rewritten.message;
    return refused;
  }
  FileResult saved = SaveTextFile(outputFile, rewritten.text, read.encoding);
  if (!saved.unencodable.empty()) {
    saved.message = "Het bestand \"" + outputFile + "\" kan de tekens " + saved.unencodable +
                    " niet bevatten en is niet gewijzigd.";
  }
  return saved;
}

}  // namespace draivo
