#include "editor/EditorDocument.h"

#include <filesystem>

#include "editor/FileNames.h"

namespace draivo {

void EditorDocument::textChanged(const std::string& text) {
  modified_ = true;
  undo_.recordChange(text);
}

void EditorDocument::startNew(const std::string& programFolder) {
  undo_.resetIndex();
  fileName_ = NewDocumentPath(programFolder);
  modified_ = false;
}

void EditorDocument::startOpen(const std::string& fileName) {
  undo_.resetIndex();
  fileName_ = fileName;
}

bool EditorDocument::needsSaveAs() const {
  return IsNewDocumentName(fileName_);
}

std::string EditorDocument::caption() const {
  return std::string(EditorTitle) + " : " + FileTitle(fileName_);
}

std::string EditorDocument::savePromptText() const {
  return "\"" + FileTitle(fileName_) + "\" is gewijzigd\r\n wijzigingen opslaan.";
}

std::string NewDocumentPath(const std::string& programFolder) {
  return (std::filesystem::path(programFolder) / NewDocumentTitle).string();
}

}  // namespace draivo
