#pragma once

#include <string>

#include "editor/UndoStore.h"

namespace draivo {

inline constexpr std::string_view EditorTitle = "NC Editor";

// What the editor knows about its document besides the text itself: the file name, whether
// the text changed since New, Open or Save, and the undo history.
class EditorDocument {
 public:
  // Every change of the text marks the document modified and, unless restoring, stores a
  // snapshot.
  void textChanged(const std::string& text);

  // New: the document becomes "Nieuw" in the program folder, counting undo from 0 again.
  void startNew(const std::string& programFolder);
  // Open, before the file is loaded: the file name and a fresh undo count.
  void startOpen(const std::string& fileName);
  // After a file was loaded or saved.
  void markSaved() { modified_ = false; }
  void setFileName(const std::string& fileName) { fileName_ = fileName; }

  const std::string& fileName() const { return fileName_; }
  bool modified() const { return modified_; }
  bool needsSaveAs() const;

  // "NC Editor : " and the title of the file.
  std::string caption() const;
  // The question asked before the text is dropped.
  std::string savePromptText() const;

  UndoStore& undo() { return undo_; }
  const UndoStore& undo() const { return undo_; }

 private:
  std::string fileName_;
  bool modified_ = false;
  UndoStore undo_;
};

// The full name of a new document in the given folder.
std::string NewDocumentPath(const std::string& programFolder);

}  // namespace draivo
