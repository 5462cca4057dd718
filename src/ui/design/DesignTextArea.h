#pragma once

#include <QString>

class QTextEdit;
class QWidget;

namespace draivo {

// The design text as program text: lines separated by CR LF.
QString designText(const QTextEdit& area);

// Replaces the selection of the design text area with the text (or inserts it at the caret)
// by way of the system clipboard, which keeps the text afterwards. The caret ends after the
// inserted text, so successive insertions append in order.
void insertDesignText(QTextEdit& area, const QString& text);

// Writes the design text to the file as plain text, replacing an earlier file only when the
// new one is complete. False when the file cannot be written.
bool saveDesignFile(const QString& path, const QString& text);

// Places a design dialog at an offset (in twips) from the top left of the main window, moved
// in where it would run off the main window's screen.
void placeDialog(QWidget& dialog, const QWidget* mainWindow, int leftTwips, int topTwips);

}  // namespace draivo
