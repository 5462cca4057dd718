#include "editor/EditorText.h"

#include <QTextCursor>
#include <QTextDocument>

#include "editor/TextFiles.h"

namespace draivo {
namespace {

// The document separates its paragraphs with U+2029; the editor's texts use LF.
QString withLineFeeds(QString text) {
  return text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

}  // namespace

std::string FileTextOf(const QTextDocument& document) {
  return ToFileText(withLineFeeds(document.toRawText()).toStdString());
}

QString AreaTextOf(const std::string& fileText) {
  return QString::fromStdString(FromFileText(fileText));
}

std::u16string AreaCharacters(QTextDocument& document, int position, int count) {
  QTextCursor cursor(&document);
  cursor.setPosition(position);
  cursor.setPosition(position + count, QTextCursor::KeepAnchor);
  const QString text = withLineFeeds(cursor.selectedText());
  return std::u16string(Utf16View(text));
}

int AreaLength(const QTextDocument& document) {
  return document.characterCount() - 1;
}

}  // namespace draivo
