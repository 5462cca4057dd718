#include "editor/frmNC_Editor.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <algorithm>

#include "editor/EditorDialogs.h"
#include "editor/EditorIcons.h"
#include "editor/EditorLayout.h"
#include "editor/EditorText.h"
#include "editor/KeepOnTop.h"
#include "editor/SearchDialog.h"
#include "editor/TextCommands.h"
#include "editor/TextFiles.h"
#include "editor/Wysiwyg.h"
#include "editor/frmReplace.h"
#include "platform/TakeKeyboard.h"

namespace draivo {
namespace {

const QString FileFilter =
    QStringLiteral("Alle bestanden (*.txt *.nc);;NC bestanden (*.nc);;Tekst bestanden (*.txt)");
const QString KopierenCaption = QStringLiteral("&Kop\u00eferen");
const QString NoPrinterText =
    QStringLiteral("Er is geen printer ge\u00efnstalleerd. De tekst is niet afgedrukt.");
const QString PrintFailedText = QStringLiteral("Het afdrukken is mislukt.");

QFont editorFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSizeF(9.75);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

// Shows the hourglass while it lives.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The character format of the selection; false when the selection holds different formats.
bool selectionFormat(const QTextCursor& cursor, QTextCharFormat& format) {
  if (!cursor.hasSelection()) {
    format = cursor.charFormat();
    return true;
  }
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  bool first = true;
  const QTextDocument* document = cursor.document();
  for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextFragment piece = fragment.fragment();
      if (piece.position() + piece.length() <= start || piece.position() >= end) continue;
      if (first) {
        format = piece.charFormat();
        first = false;
      } else if (piece.charFormat() != format) {
        return false;
      }
    }
  }
  if (first) format = cursor.charFormat();
  return true;
}

}  // namespace

frmNC_Editor::frmNC_Editor(const QString& fileName, const QString& programFolder,
                           std::shared_ptr<EditorDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder), dialogs_(std::move(dialogs)) {
  setObjectName(QStringLiteral("frmNC_Editor"));
  setWindowFlag(Qt::Window);
  // A plain-text area lays out only the paragraphs a change touches, so a key costs the same
  // on a long program as on a short one; character formats (the font command) still apply.
  RichTextBox1 = new QPlainTextEdit;
  RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
  RichTextBox1->setUndoRedoEnabled(false);
  RichTextBox1->setFont(editorFont());
  RichTextBox1->document()->setDefaultFont(editorFont());
  RichTextBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  RichTextBox1->installEventFilter(this);
  connect(RichTextBox1, &QPlainTextEdit::customContextMenuRequested, this,
          &frmNC_Editor::showTextMenu);
  connect(RichTextBox1->document(), &QTextDocument::contentsChange, this,
          &frmNC_Editor::onContentsChange);

  buildMenus();
  buildToolbar();
  setCentralWidget(new EditorClientArea(tlbKnoppen, RichTextBox1));
  resize(700, 520);

  if (fileName.isEmpty()) {
    document_.startNew(programFolder_.toStdString());
    dialogFolder_ = programFolder_;
  } else {
    dialogFolder_ = QFileInfo(fileName).absolutePath();
    if (!loadFile(fileName)) document_.setFileName(fileName.toStdString());
  }
  updateCaption();
}

frmNC_Editor::~frmNC_Editor() {
  closing_ = true;
  closeSearchDialogs();
}

QAction* frmNC_Editor::addItem(QMenu* menu, const QString& name, const QString& caption,
                               void (frmNC_Editor::*slot)(), const QKeySequence& shortcut) {
  auto* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void frmNC_Editor::buildMenus() {
  auto* bestand = menuBar()->addMenu(QStringLiteral("&Bestand"));
  bestand->setObjectName(QStringLiteral("mnuBestand"));
  addItem(bestand, "mnuBestandNieuw", "&Nieuw", &frmNC_Editor::mnuBestandNieuw_Click,
          QKeySequence(Qt::CTRL | Qt::Key_N));
  addItem(bestand, "mnuBestandOpenen", "&Openen...", &frmNC_Editor::mnuBestandOpenen_Click,
          QKeySequence(Qt::CTRL | Qt::Key_O));
  bestand->addSeparator();
  addItem(bestand, "mnuBestandOpslaan", "O&pslaan", &frmNC_Editor::mnuBestandOpslaan_Click,
          QKeySequence(Qt::CTRL | Qt::Key_S));
  addItem(bestand, "mnuBestandOpslaanAls", "Ops&laan als...",
          &frmNC_Editor::mnuBestandOpslaanAls_Click);
  bestand->addSeparator();
  deleteAction_ = addItem(bestand, "mnuBestandVerwijderen", "Verwijderen ...",
                          &frmNC_Editor::mnuBestandVerwijderen_Click, QKeySequence(Qt::Key_Delete));
  bestand->addSeparator();
  addItem(bestand, "mnuBestandAfdrukken", "Afdrukken", &frmNC_Editor::mnuBestandAfdrukken_Click,
          QKeySequence(Qt::CTRL | Qt::Key_P));
  bestand->addSeparator();
  addItem(bestand, "mnuBestandAfsluiten", "&Afsluiten", &frmNC_Editor::mnuBestandAfsluiten_Click);

  auto* bewerken = menuBar()->addMenu(QStringLiteral("Be&werken"));
  bewerken->setObjectName(QStringLiteral("mnuBewerken"));
  // The keys drive the editor's own history; the text area keeps none.
  undoAction_ = addItem(bewerken, "mnuBewerkenOngedaanMaken", "Ongedaan maken", &frmNC_Editor::Undo,
                        QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction_ = addItem(bewerken, "mnuBewerkenHerhalen", "Herhalen", &frmNC_Editor::Redo);
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  bewerken->addSeparator();
  addItem(bewerken, "mnuBewerkenKnippen", "K&nippen", &frmNC_Editor::Knippen);
  addItem(bewerken, "mnuBewerkenKopieren", KopierenCaption, &frmNC_Editor::Kopieren);
  addItem(bewerken, "mnuBewerkenPlakken", "&Plakken", &frmNC_Editor::Plakken);
  bewerken->addSeparator();
  addItem(bewerken, "mnuBewerkenZoeken", "&Zoeken", &frmNC_Editor::Zoeken,
          QKeySequence(Qt::CTRL | Qt::Key_F));
  addItem(bewerken, "mnuBewerkenVervangen", "Vervangen", &frmNC_Editor::Vervangen);

  auto* opmaak = menuBar()->addMenu(QStringLiteral("Opmaa&k"));
  opmaak->setObjectName(QStringLiteral("mnuOpmaak"));
  addItem(opmaak, "mnuOpmaakLettertype", "&Lettertype...",
          &frmNC_Editor::mnuOpmaakLettertype_Click);
  opmaak->addSeparator();
  addItem(opmaak, "mnuOpmaakRegelsUiteenTrekken", "Regels uiteen trekken",
          &frmNC_Editor::RegelsUiteenTrekken);
  addItem(opmaak, "mnuOpmaakRegelNummersToevoegen", "Regel nummers toevoegen",
          &frmNC_Editor::RegelNummersToevoegen);
  addItem(opmaak, "mnuOpmaakRegelNummersVerwijderen", "Regel nummers verwijderen",
          &frmNC_Editor::RegelNummersVerwijderen);

  // The pop-up menu of the text area; it has no place in the menu bar.
  mnuTekst = new QMenu(this);
  mnuTekst->setObjectName(QStringLiteral("mnuTekst"));
  addItem(mnuTekst, "mnuTekstKnippen", "K&nippen", &frmNC_Editor::Knippen);
  addItem(mnuTekst, "mnuTekstKopieren", KopierenCaption, &frmNC_Editor::Kopieren);
  addItem(mnuTekst, "mnuTekstPlakken", "&Plakken", &frmNC_Editor::Plakken);
  mnuTekst->addSeparator();
  addItem(mnuTekst, "mnuTekstRegelsUiteenTrekken", "Regels uiteen trekken",
          &frmNC_Editor::RegelsUiteenTrekken);
  addItem(mnuTekst, "mnuTekstRegelNummersToevoegen", "Regel nummers toevoegen",
          &frmNC_Editor::RegelNummersToevoegen);
  addItem(mnuTekst, "mnuTekstRegelNummersVerwijderen", "Regel nummers verwijderen",
          &frmNC_Editor::RegelNummersVerwijderen);
}

void frmNC_Editor::buildToolbar() {
  struct Button {
    const char* key;
    QString toolTip;
    void (frmNC_Editor::*slot)();
  };
  const Button buttons[] = {
      {"Nieuw", "Nieuw", &frmNC_Editor::mnuBestandNieuw_Click},
      {"Openen", "Openen", &frmNC_Editor::mnuBestandOpenen_Click},
      {"Opslaan", "Opslaan", &frmNC_Editor::mnuBestandOpslaan_Click},
      {"Verwijderen", "Verwijderen", &frmNC_Editor::mnuBestandVerwijderen_Click},
      {"Afdrukken", "Afdrukken", &frmNC_Editor::mnuBestandAfdrukken_Click},
      {"Zoeken", "Zoeken", &frmNC_Editor::Zoeken},
      {"Knippen", "Knippen", &frmNC_Editor::Knippen},
      {"Kopieren", QStringLiteral("Kop\u00eferen"), &frmNC_Editor::Kopieren},
      {"Plakken", "Plakken", &frmNC_Editor::Plakken},
      {"Undo", "Ongedaan maken", &frmNC_Editor::Undo},
      {"Redo", "Herhalen", &frmNC_Editor::Redo},
  };
  tlbKnoppen = new QToolBar;
  tlbKnoppen->setObjectName(QStringLiteral("tlbKnoppen"));
  tlbKnoppen->setIconSize(QSize(16, 16));
  tlbKnoppen->setMovable(false);
  for (const auto& button : buttons) {
    const QString key = QString::fromLatin1(button.key);
    auto* action = tlbKnoppen->addAction(EditorIcon(key), key);
    action->setObjectName(key);
    action->setToolTip(button.toolTip);
    connect(action, &QAction::triggered, this, button.slot);
  }
}

void frmNC_Editor::showTextMenu(const QPoint& place) {
  mnuTekst->popup(RichTextBox1->viewport()->mapToGlobal(place));
}

// The Del key is the shortcut of "Verwijderen ...", and the undo and redo keys drive the
// editor's own history: the text area must not take them.
bool frmNC_Editor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == RichTextBox1 && event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const bool editorKey = (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) ||
                           undoAction_->shortcuts().contains(pressed) ||
                           redoAction_->shortcuts().contains(pressed);
    if (editorKey) {
      event->ignore();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

SearchDialog* frmNC_Editor::findDialog() const {
  return find_;
}
SearchDialog* frmNC_Editor::replaceDialog() const {
  return replace_;
}

// ---- text and undo ----

// Only the changed characters are read from the area, so a key costs the same on a long text
// as on a short one.
void frmNC_Editor::onContentsChange(int from, int removed, int added) {
  QTextDocument& area = *RichTextBox1->document();
  const std::size_t oldLength = document_.text().size();
  const auto newLength = static_cast<std::size_t>(AreaLength(area));
  const auto reported = ChangeSpan{static_cast<std::size_t>(std::max(from, 0)),
                                   static_cast<std::size_t>(std::max(removed, 0)),
                                   static_cast<std::size_t>(std::max(added, 0))};
  const ChangeSpan span =
      FitChangeSpan(reported, oldLength, newLength).value_or(ChangeSpan{0, oldLength, newLength});
  document_.textChanged(
      span.position, span.removed,
      AreaCharacters(area, static_cast<int>(span.position), static_cast<int>(span.added)));
}

void frmNC_Editor::applyChange(const TextChange& change) {
  RestoringGuard restoring(document_.undo());
  QTextCursor cursor(RichTextBox1->document());
  const auto position = static_cast<int>(change.position);
  cursor.setPosition(position);
  cursor.setPosition(position + static_cast<int>(change.removed.size()), QTextCursor::KeepAnchor);
  cursor.insertText(
      QString::fromUtf16(change.inserted.data(), static_cast<qsizetype>(change.inserted.size())));
  RichTextBox1->setTextCursor(cursor);
}

void frmNC_Editor::replaceWholeText(const QString& text) {
  QTextCursor cursor(RichTextBox1->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text, QTextCharFormat());
}

void frmNC_Editor::emptyText() {
  if (!RichTextBox1->document()->isEmpty()) RichTextBox1->clear();
}

void frmNC_Editor::Undo() {
  if (const auto change = document_.undo().undo()) applyChange(*change);
}

void frmNC_Editor::Redo() {
  if (const auto change = document_.undo().redo()) applyChange(*change);
}

QString frmNC_Editor::selectedPlainText() const {
  return RichTextBox1->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

void frmNC_Editor::Knippen() {
  Kopieren();
  RichTextBox1->textCursor().removeSelectedText();
}

void frmNC_Editor::Kopieren() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(selectedPlainText());
}

void frmNC_Editor::Plakken() {
  RichTextBox1->insertPlainText(QGuiApplication::clipboard()->text());
}

// ---- files ----

void frmNC_Editor::updateCaption() {
  setWindowTitle(QString::fromStdString(document_.caption()));
}

void frmNC_Editor::report(const QString& text, QMessageBox::Icon icon) {
  dialogs_->message(this, icon, QString::fromUtf8(EditorTitle.data(), EditorTitle.size()), text,
                    QMessageBox::Ok);
}

bool frmNC_Editor::loadFile(const QString& fileName) {
  const FileResult file = ReadTextFile(fileName.toStdString());
  if (!file.ok) {
    report(QString::fromStdString(file.message));
    return false;
  }
  emptyText();
  document_.startOpen(fileName.toStdString(), file.encoding);
  RichTextBox1->setPlainText(AreaTextOf(file.content));
  document_.markSaved();
  updateCaption();
  return true;
}

bool frmNC_Editor::writeTo(const QString& fileName) {
  const std::string text = FileTextOf(*RichTextBox1->document());
  FileResult result = SaveTextFile(fileName.toStdString(), text, document_.encoding());
  if (!result.unencodable.empty()) {
    // Nothing is replaced behind the user's back: either the file becomes UTF-8, or it is
    // not written at all.
    const auto answer = dialogs_->message(
        this, QMessageBox::Question, QString::fromUtf8(EditorTitle.data(), EditorTitle.size()),
        QString::fromStdString(document_.encodingQuestion(result.unencodable)),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) return false;
    result = SaveTextFile(fileName.toStdString(), text, FileEncoding::Utf8);
    if (result.ok) document_.setEncoding(FileEncoding::Utf8);
  }
  if (!result.ok) {
    report(QString::fromStdString(result.message), QMessageBox::Critical);
    return false;
  }
  document_.markSaved();
  return true;
}

frmNC_Editor::SaveOutcome frmNC_Editor::savePrompt() {
  if (!document_.modified()) return SaveOutcome::NotNeeded;
  const auto answer = dialogs_->message(
      this, QMessageBox::Question, QString::fromUtf8(EditorTitle.data(), EditorTitle.size()),
      QString::fromStdString(document_.savePromptText()), QMessageBox::Yes | QMessageBox::No);
  if (answer != QMessageBox::Yes) return SaveOutcome::NotNeeded;
  return save();
}

frmNC_Editor::SaveOutcome frmNC_Editor::save() {
  if (document_.needsSaveAs()) return saveAs();
  return writeTo(QString::fromStdString(document_.fileName())) ? SaveOutcome::Saved
                                                               : SaveOutcome::Failed;
}

frmNC_Editor::SaveOutcome frmNC_Editor::saveAs() {
  const QString fileName =
      dialogs_->saveFileName(this, QStringLiteral("Bestand opslaan"), dialogFolder_, FileFilter);
  if (fileName.isEmpty()) return SaveOutcome::Cancelled;
  if (!writeTo(fileName)) return SaveOutcome::Failed;
  document_.setFileName(fileName.toStdString());
  dialogFolder_ = QFileInfo(fileName).absolutePath();
  updateCaption();
  return SaveOutcome::Saved;
}

void frmNC_Editor::mnuBestandNieuw_Click() {
  const auto outcome = savePrompt();
  if (outcome != SaveOutcome::Saved && outcome != SaveOutcome::NotNeeded) return;
  emptyText();
  document_.startNew(programFolder_.toStdString());
  updateCaption();
}

void frmNC_Editor::mnuBestandOpenen_Click() {
  const auto outcome = savePrompt();
  if (outcome != SaveOutcome::Saved && outcome != SaveOutcome::NotNeeded) return;
  const QString fileName =
      dialogs_->openFileName(this, QStringLiteral("Bestand openen"), dialogFolder_, FileFilter);
  if (fileName.isEmpty()) return;
  if (loadFile(fileName)) dialogFolder_ = QFileInfo(fileName).absolutePath();
}

void frmNC_Editor::mnuBestandOpslaan_Click() {
  save();
}

void frmNC_Editor::mnuBestandOpslaanAls_Click() {
  saveAs();
}

void frmNC_Editor::mnuBestandVerwijderen_Click() {
  const QString fileName = QString::fromStdString(document_.fileName());
  const auto answer =
      dialogs_->message(this, QMessageBox::Question, QStringLiteral("Verwijderen van ..."),
                        fileName, QMessageBox::Ok | QMessageBox::Cancel);
  if (answer != QMessageBox::Ok) return;
  const FileResult result = RemoveFile(fileName.toStdString());
  if (!result.ok) report(QString::fromStdString(result.message));
}

void frmNC_Editor::mnuBestandAfdrukken_Click() {
  const auto printer = dialogs_->defaultPrinter();
  if (!printer) {
    report(NoPrinterText, QMessageBox::Information);
    return;
  }
  if (PrintRTF(*RichTextBox1->document(), *printer, PrintMargins{}) == 0) report(PrintFailedText);
}

void frmNC_Editor::mnuBestandAfsluiten_Click() {
  const auto outcome = savePrompt();
  if (outcome != SaveOutcome::Saved && outcome != SaveOutcome::NotNeeded) return;
  closing_ = true;
  closeSearchDialogs();
  if (exitHandler_) {
    exitHandler_();
  } else {
    QApplication::quit();
  }
}

void frmNC_Editor::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closeSearchDialogs();
    const auto outcome = savePrompt();
    if (outcome != SaveOutcome::Saved && outcome != SaveOutcome::NotNeeded) {
      event->ignore();  // the text could not be saved: keep it
      return;
    }
    closing_ = true;
  }
  QMainWindow::closeEvent(event);
}

// ---- fonts ----

void frmNC_Editor::mnuOpmaakLettertype_Click() {
  QTextCharFormat format;
  const bool uniform = selectionFormat(RichTextBox1->textCursor(), format);
  QFont font = format.font().resolve(RichTextBox1->document()->defaultFont());
  QColor colour = format.foreground().style() == Qt::NoBrush
                      ? RichTextBox1->palette().color(QPalette::Text)
                      : format.foreground().color();
  if (!dialogs_->chooseFont(this, font, colour) || !uniform) return;
  QTextCharFormat chosen;
  chosen.setFont(font);
  chosen.setForeground(colour);
  RichTextBox1->mergeCurrentCharFormat(chosen);
}

// ---- text commands ----

void frmNC_Editor::runTextCommand(TextCommand command) {
  TextCommandResult result;
  {
    WaitCursor hourglass;
    result = RunTextCommand(command, FileTextOf(*RichTextBox1->document()),
                            programFolder_.toStdString());
    if (result.ok) replaceWholeText(AreaTextOf(result.text));  // one undo step
  }
  if (!result.ok) report(QString::fromStdString(result.message));
}

// ---- find and replace ----

void frmNC_Editor::Zoeken() {
  showSearchDialog(find_, false);
}

void frmNC_Editor::Vervangen() {
  showSearchDialog(replace_, true);
}

void frmNC_Editor::showSearchDialog(QPointer<SearchDialog>& dialog, bool replace) {
  KeepOnTop(this, false);
  if (!dialog) {
    if (replace) {
      dialog = new frmReplace(RichTextBox1, this, dialogs_);
    } else {
      dialog = new frmFind(RichTextBox1, this, dialogs_);
    }
    connect(dialog, &SearchDialog::ended, this, [this] {
      if (closing_) return;
      KeepOnTop(this, true);
      takeKeyboard(RichTextBox1);
    });
  }
  dialog->addSearchEntry(selectedPlainText());
  dialog->showDialog();
}

void frmNC_Editor::closeSearchDialogs() {
  for (SearchDialog* dialog : {find_.data(), replace_.data()}) {
    if (!dialog) continue;
    disconnect(dialog, &SearchDialog::ended, this, nullptr);
    dialog->close();
    delete dialog;
  }
}

}  // namespace draivo
