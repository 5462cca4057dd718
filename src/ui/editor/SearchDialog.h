#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "editor/TextSearch.h"

class QComboBox;
class QLabel;
class QPushButton;
class QPlainTextEdit;

namespace draivo {

class EditorDialogs;

// What the find and the replace dialog share: the search box with its history, the search
// position, "Zoeken", "Volgende zoeken" and "Annuleren". Neither blocks the editor.
class SearchDialog : public QDialog {
  Q_OBJECT

 public:
  // Adds the text as the new last entry of the search history and shows it in the box.
  void addSearchEntry(const QString& text);
  // Shows the dialog above all other windows; the first time it also places its labels and
  // hides "Volgende zoeken".
  void showDialog();

  std::size_t searchPosition() const { return position_.position(); }

 signals:
  // The dialog closed: the editor may keep itself on top again.
  void ended();

 public slots:
  void cmdZoeken_Click();
  void cmdFind_Click();
  void cmdCancel_Click() { reject(); }

 protected:
  struct Captions {
    QString title;
    QString zoeken;
    QString volgendeZoeken;
  };
  SearchDialog(QPlainTextEdit* editor, QWidget* editorWindow,
               std::shared_ptr<EditorDialogs> dialogs, const Captions& captions);

  void done(int result) override;

  QLabel* addLabel(const QString& caption, int top);
  QComboBox* addComboBox(const QString& name, int top);
  QPushButton* addButton(const QString& name, const QString& caption, int top);
  // Hides the dialog, tells the user how the search ended and closes the dialog.
  void endWithMessage(const QString& text);
  // Selects characters of the editor's text; the dialog stays in front with the keyboard.
  void selectInEditor(qsizetype start, qsizetype length);

  QComboBox* searchBox() const { return Combo1; }
  QPlainTextEdit* editor() const { return editor_; }
  SearchPosition& position() { return position_; }
  QPushButton* zoekenButton() const { return cmdZoeken; }
  QPushButton* findButton() const { return cmdFind; }
  QPushButton* cancelButton() const { return cmdCancel; }

  static constexpr int ButtonLeft = 345;
  static constexpr int RowHeight = 30;

 private:
  QPlainTextEdit* editor_;
  QWidget* editorWindow_;
  std::shared_ptr<EditorDialogs> dialogs_;
  SearchPosition position_;
  std::vector<QLabel*> labels_;
  QComboBox* Combo1 = nullptr;
  QPushButton* cmdZoeken = nullptr;
  QPushButton* cmdFind = nullptr;
  QPushButton* cmdCancel = nullptr;
  bool prepared_ = false;
  bool ended_ = false;
};

// "Zoeken": finds the next occurrence of a text in the editor.
class frmFind : public SearchDialog {
  Q_OBJECT

 public:
  frmFind(QPlainTextEdit* editor, QWidget* editorWindow, std::shared_ptr<EditorDialogs> dialogs);
};

}  // namespace draivo
