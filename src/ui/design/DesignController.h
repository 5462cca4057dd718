#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "design/ShowMessage.h"

class QMenu;
class QTextEdit;
class QWidget;

namespace draivo {

// The design mode of the main window: the pop-up menu "Ontwerp" of the design text area,
// the insertion of generated blocks, the program end and the hand-over of the design to
// the simulator.
class DesignController : public QObject {
  Q_OBJECT

 public:
  // Puts the path into the simulator's current file name and runs "Vernieuw".
  using RunDesignFile = std::function<void(const QString& path)>;

  static constexpr const char* DesignFileName = "T0000.Nc";

  // Installs the pop-up menu on the right mouse button of `designText`. The controller
  // belongs to `mainWindow`, which also owns the menu and the dialogs.
  DesignController(QTextEdit* designText, QWidget* mainWindow, RunDesignFile runDesignFile);

  QMenu* menu() const { return mnuOntwerp_; }

  // The folder the design file is written to: the program folder unless set.
  void setProgramFolder(const QString& folder) { programFolder_ = folder; }
  QString programFolder() const;
  QString designFilePath() const;

  void setShowMessage(ShowMessage showMessage) { showMessage_ = std::move(showMessage); }

  // The one way generated text enters the design, through the clipboard.
  void InsertDesignText(const QString& text);
  bool designEmpty() const;

  void mnuOntwerpSimulatie_Click();
  void mnuOntwerpNewTool_Click();
  void mnuOntwerpG9094_Click();
  void mnuOntwerpEinde_Click();

 private:
  void buildMenu();

  QTextEdit* designText_;
  QWidget* mainWindow_;
  RunDesignFile runDesignFile_;
  ShowMessage showMessage_;
  QString programFolder_;
  QMenu* mnuOntwerp_ = nullptr;
};

}  // namespace draivo
