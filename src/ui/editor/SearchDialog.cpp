#include "editor/SearchDialog.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editor/EditorDialogs.h"
#include "editor/EditorText.h"
#include "editor/KeepOnTop.h"
#include "platform/TakeKeyboard.h"

namespace draivo {
namespace {

constexpr int LabelLeft = 10;
constexpr int BoxLeft = 130;
constexpr int BoxWidth = 200;
constexpr int ButtonWidth = 120;
constexpr int ControlHeight = 24;
constexpr int FirstRow = 10;
constexpr int LabelDrop = 2;  // 30 twips

const QString NotFoundText = QStringLiteral(
    "Het doorzoeken van het document is voltooid. Het gezochte item is niet gevonden");

}  // namespace

SearchDialog::SearchDialog(QPlainTextEdit* editor, QWidget* editorWindow,
                           std::shared_ptr<EditorDialogs> dialogs, const Captions& captions)
    : QDialog(editorWindow),
      editor_(editor),
      editorWindow_(editorWindow),
      dialogs_(std::move(dialogs)) {
  setWindowTitle(captions.title);
  setModal(false);
  addLabel(QStringLiteral("Zoeken naar :"), FirstRow);
  Combo1 = addComboBox(QStringLiteral("Combo1"), FirstRow);
  cmdZoeken = addButton(QStringLiteral("cmdZoeken"), captions.zoeken, FirstRow);
  cmdFind = addButton(QStringLiteral("cmdFind"), captions.volgendeZoeken, FirstRow);
  cmdCancel =
      addButton(QStringLiteral("cmdCancel"), QStringLiteral("Annuleren"), FirstRow + RowHeight);
  cmdZoeken->setDefault(true);
  connect(Combo1, &QComboBox::editTextChanged, this, [this] { position_.searchTextChanged(); });
  connect(cmdZoeken, &QPushButton::clicked, this, &SearchDialog::cmdZoeken_Click);
  connect(cmdFind, &QPushButton::clicked, this, &SearchDialog::cmdFind_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &SearchDialog::cmdCancel_Click);
}

QLabel* SearchDialog::addLabel(const QString& caption, int top) {
  auto* label = new QLabel(caption, this);
  label->setGeometry(LabelLeft, top, BoxLeft - LabelLeft - 5, ControlHeight);
  labels_.push_back(label);
  return label;
}

QComboBox* SearchDialog::addComboBox(const QString& name, int top) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setGeometry(BoxLeft, top, BoxWidth, ControlHeight);
  return box;
}

QPushButton* SearchDialog::addButton(const QString& name, const QString& caption, int top) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setGeometry(ButtonLeft, top, ButtonWidth, ControlHeight);
  return button;
}

void SearchDialog::addSearchEntry(const QString& text) {
  Combo1->addItem(text);
  Combo1->setCurrentIndex(Combo1->count() - 1);
}

void SearchDialog::showDialog() {
  if (!prepared_) {
    prepared_ = true;
    const QRect used = childrenRect();
    setFixedSize(used.right() + LabelLeft, used.bottom() + FirstRow);
    for (auto* label : labels_) label->move(label->x(), label->y() + LabelDrop);
    cmdFind->hide();
  }
  KeepOnTop(this, true);
  takeKeyboard(Combo1);
  Combo1->lineEdit()->selectAll();
}

void SearchDialog::cmdZoeken_Click() {
  Combo1->addItem(Combo1->currentText());
  cmdZoeken->hide();
  cmdFind->show();
  cmdFind->setDefault(true);
  cmdFind_Click();
}

void SearchDialog::cmdFind_Click() {
  const QString search = Combo1->currentText();
  const QString text = editor_->toPlainText();
  const auto hit = position_.findNext(Utf16View(text), Utf16View(search));
  if (hit == NotFound) {
    endWithMessage(NotFoundText);
    return;
  }
  selectInEditor(static_cast<qsizetype>(hit), search.size());
}

// The match is shown selected in the editor while the dialog stays above it with the
// keyboard, so that "Volgende zoeken" can be pressed again at once.
void SearchDialog::selectInEditor(qsizetype start, qsizetype length) {
  QTextCursor cursor = editor_->textCursor();
  cursor.setPosition(static_cast<int>(start));
  cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
  editor_->setTextCursor(cursor);
  editor_->ensureCursorVisible();
  raise();
}

void SearchDialog::endWithMessage(const QString& text) {
  hide();
  dialogs_->message(editorWindow_, QMessageBox::Information,
                    QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok);
  done(QDialog::Accepted);
}

void SearchDialog::done(int result) {
  QDialog::done(result);
  if (ended_) return;
  ended_ = true;
  emit ended();
  deleteLater();
}

frmFind::frmFind(QPlainTextEdit* editor, QWidget* editorWindow,
                 std::shared_ptr<EditorDialogs> dialogs)
    : SearchDialog(
          editor, editorWindow, std::move(dialogs),
          {QStringLiteral("Zoeken"), QStringLiteral("Zoeken"), QStringLiteral("Volgende zoeken")}) {
  setObjectName(QStringLiteral("frmFind"));
}

}  // namespace draivo
