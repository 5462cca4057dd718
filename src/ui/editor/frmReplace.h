#pragma once

#include "editor/SearchDialog.h"

namespace draivo {

// "Vervangen": finds a text in the editor and replaces it, one at a time or all at once.
class frmReplace : public SearchDialog {
  Q_OBJECT

 public:
  frmReplace(QPlainTextEdit* editor, QWidget* editorWindow, std::shared_ptr<EditorDialogs> dialogs);

 public slots:
  void cmdReplace_Click();
  void cmdReplaceAll_Click();

 private:
  QComboBox* Combo2 = nullptr;
};

}  // namespace draivo
