#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QPrinter>
#include <QString>
#include <memory>

class QWidget;

namespace draivo {

// Every message box, file dialog, font dialog and the printer of the editor come through
// this interface, so that the tests can answer them without a person at the screen.
class EditorDialogs {
 public:
  virtual ~EditorDialogs() = default;

  virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons) = 0;
  // The chosen file name, or "" when the dialog was cancelled.
  virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter) = 0;
  virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter) = 0;
  // Shows the font dialog filled with the font and colour; false when it was cancelled.
  virtual bool chooseFont(QWidget* parent, QFont& font, QColor& colour) = 0;
  // The default printer of the system, or nothing when the system has no printer.
  virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
};

// The dialogs as Qt shows them.
class QtEditorDialogs : public EditorDialogs {
 public:
  QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text,
                                      QMessageBox::StandardButtons buttons) override;
  QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override;
  bool chooseFont(QWidget* parent, QFont& font, QColor& colour) override;
  std::unique_ptr<QPrinter> defaultPrinter() override;
};

}  // namespace draivo
