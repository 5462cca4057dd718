#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "editor/GapText.h"
#include "editor/UndoStore.h"
#include "run/TextEncoding.h"

namespace draivo {

inline constexpr std::string_view EditorTitle = "NC Editor";

// What the editor knows about its document: the file name and its encoding, whether the text
// changed since New, Open or Save, the undo history, and the text as the changes built it.
class EditorDocument {
 public:
  // A change the text area reports: from `position` on, `removedCount` characters gave way
  // to `inserted`. Every change marks the document modified and, unless restoring, is stored
  // as an undo step; a span that removes and inserts nothing is no change.
  void textChanged(std::size_t position, std::size_t removedCount, std::u16string inserted);
  const GapText& text() const { return text_; }

  // New: the document becomes "Nieuw" in the program folder, counting undo from 0 again.
  void startNew(const std::string& programFolder);
  // Open, before the file's text is put in: the file name, its encoding and a fresh undo count.
  void startOpen(const std::string& fileName, FileEncoding encoding);
  // After a file was loaded or saved.
  void markSaved() { modified_ = false; }
  void setFileName(const std::string& fileName) { fileName_ = fileName; }
  // The encoding the file is written in: the one it was read in, UTF-8 for a new document.
  FileEncoding encoding() const { return encoding_; }
  void setEncoding(FileEncoding encoding) { encoding_ = encoding; }

  const std::string& fileName() const { return fileName_; }
  bool modified() const { return modified_; }
  bool needsSaveAs() const;

  // "NC Editor : " and the title of the file.
  std::string caption() const;
  // The question asked before the text is dropped.
  std::string savePromptText() const;
  // The question asked when the text holds characters the file's encoding cannot hold.
  std::string encodingQuestion(const std::string& unencodable) const;

  UndoStore& undo() { return undo_; }
  const UndoStore& undo() const { return undo_; }

 private:
  std::string fileName_;
  FileEncoding encoding_ = FileEncoding::Utf8;
  bool modified_{};
  UndoStore undo_;
  GapText text_;
};

// Where a change of the text lies: from `position` on, `removed` characters gave way to
// `added` ones.
struct ChangeSpan {
  std::size_t position{};
  std::size_t removed{};
  std::size_t added{};
};

// The span of a change as the text area reports it, fitted to the lengths of the text before
// and after: the area may count the end of its last paragraph in both counts. Nothing when it
// does not fit; the change is then best taken as one of the whole text.
std::optional<ChangeSpan> FitChangeSpan(ChangeSpan reported, std::size_t oldLength,
                                        std::size_t newLength);

// The full name of a new document in the given folder.
std::string NewDocumentPath(const std::string& programFolder);

}  // namespace draivo
