#include "editor/EditorDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "platform/TakeKeyboard.h"

namespace draivo {

QMessageBox::StandardButton QtEditorDialogs::message(QWidget* parent, QMessageBox::Icon icon,
                                                     const QString& title, const QString& text,
                                                     QMessageBox::StandardButtons buttons) {
  const KeyboardReturn keyboard(parent);
  QMessageBox box(icon, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtEditorDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter) {
  const KeyboardReturn keyboard(parent);
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtEditorDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter) {
  const KeyboardReturn keyboard(parent);
  return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

namespace {

// Shows the colour on the button that chooses it.
void showColour(QPushButton* button, const QColor& colour) {
  QPixmap swatch(16, 16);
  swatch.fill(colour);
  button->setIcon(QIcon(swatch));
}

}  // namespace

bool QtEditorDialogs::chooseFont(QWidget* parent, QFont& font, QColor& colour) {
  // Qt's own font dialog with one more row for the colour, the last of the font's effects.
  // The dialog lists installed families only: show the one the font really resolves to.
  const KeyboardReturn keyboard(parent);
  QFont shown = font;
  shown.setFamily(QFontInfo(font).family());
  QFontDialog dialog(shown, parent);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  QColor chosenColour = colour;
  auto* colourButton = new QPushButton(QStringLiteral("Kleur ..."), &dialog);
  colourButton->setObjectName(QStringLiteral("cmdKleur"));
  showColour(colourButton, chosenColour);
  QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
    const QColor picked = QColorDialog::getColor(chosenColour, &dialog);
    if (!picked.isValid()) return;
    chosenColour = picked;
    showColour(colourButton, chosenColour);
  });
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(colourButton, grid->rowCount(), 0);
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  font = dialog.selectedFont();
  colour = chosenColour;
  return true;
}

std::unique_ptr<QPrinter> QtEditorDialogs::defaultPrinter() {
  const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
  if (!standard.isNull()) return std::make_unique<QPrinter>(standard, QPrinter::HighResolution);
  const auto printers = QPrinterInfo::availablePrinters();
  if (printers.isEmpty()) return nullptr;
  return std::make_unique<QPrinter>(printers.first(), QPrinter::HighResolution);
}

}  // namespace draivo
