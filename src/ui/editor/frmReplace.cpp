#include "editor/frmReplace.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <iterator>

#include "editor/EditorText.h"

namespace draivo {
namespace {

constexpr int SecondRow = 10 + 30;

QString replacedText(std::size_t count) {
  return QStringLiteral("Het doorzoeken van het document is voltooid. Het gezochte item is ") +
         QString::number(count) + QStringLiteral(" keer vervangen");
}

}  // namespace

frmReplace::frmReplace(QPlainTextEdit* editor, QWidget* editorWindow,
                       std::shared_ptr<EditorDialogs> dialogs)
    : SearchDialog(editor, editorWindow, std::move(dialogs),
                   {QStringLiteral("Vervangen"), QStringLiteral("&Zoeken"),
                    QStringLiteral("&Volgende zoeken")}) {
  setObjectName(QStringLiteral("frmReplace"));
  addLabel(QStringLiteral("Vervangen door :"), SecondRow);
  Combo2 = addComboBox(QStringLiteral("Combo2"), SecondRow);
  auto* cmdReplace =
      addButton(QStringLiteral("cmdReplace"), QStringLiteral("V&ervangen"), SecondRow);
  auto* cmdReplaceAll = addButton(QStringLiteral("cmdReplaceAll"),
                                  QStringLiteral("A&lles vervangen"), SecondRow + RowHeight);
  cancelButton()->move(ButtonLeft, SecondRow + 2 * RowHeight);
  // Tab goes from the search box to the replacement box, then down the buttons.
  QWidget* const order[] = {searchBox(), Combo2,        zoekenButton(), findButton(),
                            cmdReplace,  cmdReplaceAll, cancelButton()};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  connect(cmdReplace, &QPushButton::clicked, this, &frmReplace::cmdReplace_Click);
  connect(cmdReplaceAll, &QPushButton::clicked, this, &frmReplace::cmdReplaceAll_Click);
}

void frmReplace::cmdReplace_Click() {
  const QString replacement = Combo2->currentText();
  QTextCursor cursor = editor()->textCursor();
  const int start = cursor.selectionStart();
  cursor.insertText(replacement);
  selectInEditor(start, replacement.size());
}

void frmReplace::cmdReplaceAll_Click() {
  const QString search = searchBox()->currentText();
  const QString replacement = Combo2->currentText();
  const auto matches = ReplaceAllMatches(Utf16View(editor()->toPlainText()), Utf16View(search));
  if (!matches.empty()) {
    // Replaced from the end, so the earlier positions stay valid, in one edit so that the
    // editor records one change.
    QTextCursor cursor(editor()->document());
    cursor.beginEditBlock();
    for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
      cursor.setPosition(static_cast<int>(*match));
      cursor.setPosition(static_cast<int>(*match) + static_cast<int>(search.size()),
                         QTextCursor::KeepAnchor);
      cursor.insertText(replacement);
    }
    cursor.endEditBlock();
    const auto shift =
        (replacement.size() - search.size()) * static_cast<qsizetype>(matches.size() - 1);
    selectInEditor(static_cast<qsizetype>(matches.back()) + shift, replacement.size());
  }
  position().searchTextChanged();
  endWithMessage(replacedText(matches.size()));
}

}  // namespace draivo
