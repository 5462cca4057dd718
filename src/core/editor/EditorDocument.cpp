#include "editor/EditorDocument.h"

#include <algorithm>
#include <filesystem>

#include "editor/FileNames.h"
#include "nc/BlockText.h"

namespace draivo {

void EditorDocument::textChanged(std::size_t position, std::size_t removedCount,
                                 std::u16string inserted) {
  if (removedCount == 0 && inserted.empty()) return;  // the area reports such empty spans too
  modified_ = true;
  std::u16string removed = text_.replace(position, removedCount, inserted);
  undo_.recordChange({position, std::move(removed), std::move(inserted)});
}

void EditorDocument::startNew(const std::string& programFolder) {
  undo_.resetIndex();
  fileName_ = NewDocumentPath(programFolder);
  encoding_ = FileEncoding::Utf8;
  modified_ = false;
}

void EditorDocument::startOpen(const std::string& fileName, FileEncoding encoding) {
  undo_.resetIndex();
  fileName_ = fileName;
  encoding_ = encoding;
}

bool EditorDocument::needsSaveAs() const {
  return IsNewDocumentName(fileName_);
}

std::string EditorDocument::caption() const {
  // A file name may hold control characters; a caption never shows them.
  return std::string(EditorTitle) + " : " + ReplaceControlCharacters(FileTitle(fileName_), "_");
}

std::string EditorDocument::savePromptText() const {
  return "\"" + FileTitle(fileName_) + "\" is gewijzigd\r\n wijzigingen opslaan.";
}

std::string EditorDocument::encodingQuestion(const std::string& unencodable) const {
  return "De tekens " + unencodable + " passen niet in de tekenset " +
         std::string(EncodingName(encoding_)) + " van \"" + FileTitle(fileName_) +
         "\".\r\nHet bestand als " + std::string(EncodingName(FileEncoding::Utf8)) +
         " opslaan? Bij Nee wordt het niet opgeslagen.";
}

std::optional<ChangeSpan> FitChangeSpan(ChangeSpan reported, std::size_t oldLength,
                                        std::size_t newLength) {
  if (reported.position > oldLength || reported.position > newLength) return {};
  ChangeSpan span = reported;
  span.removed = std::min(span.removed, oldLength - span.position);
  span.added = std::min(span.added, newLength - span.position);
  if (oldLength - span.removed + span.added != newLength) return {};
  return span;
}

std::string NewDocumentPath(const std::string& programFolder) {
  return (std::filesystem::path(programFolder) / NewDocumentTitle).string();
}

}  // namespace draivo
