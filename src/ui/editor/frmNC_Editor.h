#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <memory>

#include "editor/EditorDocument.h"
#include "editor/LineRules.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace draivo {

class EditorDialogs;
class SearchDialog;

// The NC editor: one program file in a text area with its own undo history, the clipboard,
// fonts, the three text commands, find and replace and printing.
class frmNC_Editor : public QMainWindow {
  Q_OBJECT

 public:
  // Opens the file (an empty name gives a new document in the program folder). The program
  // folder also holds the work file of the text commands.
  frmNC_Editor(const QString& fileName, const QString& programFolder,
               std::shared_ptr<EditorDialogs> dialogs, QWidget* parent = nullptr);
  ~frmNC_Editor() override;

  // What "&Afsluiten" does after the save question: end the whole system.
  void setExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }

  QPlainTextEdit* textArea() const { return RichTextBox1; }
  const EditorDocument& document() const { return document_; }
  SearchDialog* findDialog() const;
  SearchDialog* replaceDialog() const;

 public slots:
  void mnuBestandNieuw_Click();
  void mnuBestandOpenen_Click();
  void mnuBestandOpslaan_Click();
  void mnuBestandOpslaanAls_Click();
  void mnuBestandVerwijderen_Click();
  void mnuBestandAfdrukken_Click();
  void mnuBestandAfsluiten_Click();
  void Undo();
  void Redo();
  void Knippen();
  void Kopieren();
  void Plakken();
  void Zoeken();
  void Vervangen();
  void mnuOpmaakLettertype_Click();
  void RegelsUiteenTrekken() { runTextCommand(TextCommand::SpreadWords); }
  void RegelNummersToevoegen() { runTextCommand(TextCommand::AddLineNumbers); }
  void RegelNummersVerwijderen() { runTextCommand(TextCommand::RemoveLineNumbers); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // How a save ended; a document is only given up after Saved or NotNeeded.
  enum class SaveOutcome { Saved, NotNeeded, Cancelled, Failed };

  void buildMenus();
  void buildToolbar();
  QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                   void (frmNC_Editor::*slot)(), const QKeySequence& shortcut = {});
  void showTextMenu(const QPoint& place);

  void onContentsChange(int from, int removed, int added);
  void applyChange(const TextChange& change);
  void replaceWholeText(const QString& text);
  void emptyText();
  bool loadFile(const QString& fileName);
  SaveOutcome savePrompt();
  SaveOutcome save();
  SaveOutcome saveAs();
  bool writeTo(const QString& fileName);
  void updateCaption();
  void runTextCommand(TextCommand command);
  void showSearchDialog(QPointer<SearchDialog>& dialog, bool replace);
  void closeSearchDialogs();
  void report(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);
  QString selectedPlainText() const;

  EditorDocument document_;
  QString programFolder_;
  QString dialogFolder_;
  std::shared_ptr<EditorDialogs> dialogs_;
  std::function<void()> exitHandler_;
  QPlainTextEdit* RichTextBox1 = nullptr;
  QToolBar* tlbKnoppen = nullptr;
  QMenu* mnuTekst = nullptr;
  QAction* deleteAction_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QPointer<SearchDialog> find_;
  QPointer<SearchDialog> replace_;
  bool closing_ = false;
};

}  // namespace draivo
