#include "design/DesignTextArea.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextEdit>
#include <QWidget>

#include "platform/ScreenPlacement.h"
#include "run/TextEncoding.h"

namespace draivo {
namespace {

constexpr int TwipsPerPixel = 15;
const QString FileLineEnd = QStringLiteral("\r\n");

// The text area separates lines with a single line break.
QString toAreaText(QString text) {
  return text.replace(FileLineEnd, QStringLiteral("\n"));
}

}  // namespace

QString designText(const QTextEdit& area) {
  QString text = area.toPlainText();
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text.replace(QLatin1Char('\n'), FileLineEnd);
}

void insertDesignText(QTextEdit& area, const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(text);
  // When another program took the clipboard in between, the generated text still goes in.
  const QString read = clipboard->text();
  QTextCursor cursor = area.textCursor();
  cursor.insertText(toAreaText(read == text ? read : text));
  area.setTextCursor(cursor);
}

bool saveDesignFile(const QString& path, const QString& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // The design file is new every time: UTF-8, as the loader reads it.
  const std::string bytes = EncodeText(text.toStdString(), FileEncoding::Utf8).bytes;
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void placeDialog(QWidget& dialog, const QWidget* mainWindow, int leftTwips, int topTwips) {
  if (mainWindow == nullptr) return;
  placeAtOffset(dialog, *mainWindow, QPoint(leftTwips / TwipsPerPixel, topTwips / TwipsPerPixel));
}

}  // namespace draivo
