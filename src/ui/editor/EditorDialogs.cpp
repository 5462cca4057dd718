#include "editor/EditorDialogs.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace draivo {

QMessageBox::StandardButton QtEditorDialogs::message(QWidget* parent, QMessageBox::Icon icon,
                                                     const QString& title, const QString& text,
                                                     QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtEditorDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtEditorDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

bool QtEditorDialogs::chooseFont(QWidget* parent, QFont& font, QColor& /*colour*/) {
  bool accepted = false;
  const QFont chosen = QFontDialog::getFont(&accepted, font, parent);
  if (accepted) font = chosen;
  return accepted;
}

std::unique_ptr<QPrinter> QtEditorDialogs::defaultPrinter() {
  const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
  if (!standard.isNull()) return std::make_unique<QPrinter>(standard, QPrinter::HighResolution);
  const auto printers = QPrinterInfo::availablePrinters();
  if (printers.isEmpty()) return nullptr;
  return std::make_unique<QPrinter>(printers.first(), QPrinter::HighResolution);
}

}  // namespace draivo
