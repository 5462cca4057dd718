#include "design/DesignController.h"

#include <QDir>
#include <QMenu>
#include <QTextEdit>

#include "design/DesignTextArea.h"
#include "design/ProgramEnd.h"
#include "design/frmG9094.h"
#include "design/frmTool.h"
#include "platform/ProgramFolder.h"
#include "platform/TakeKeyboard.h"

namespace draivo {
DesignController::DesignController(QTextEdit* designText, QWidget* mainWindow,
                                   RunDesignFile runDesignFile)
    : QObject(mainWindow),
      designText_(designText),
      mainWindow_(mainWindow),
      runDesignFile_(std::move(runDesignFile)),
      showMessage_(messageBoxShowMessage()) {
  setObjectName("DesignController");
  buildMenu();
  designText_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(designText_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    mnuOntwerp_->popup(designText_->viewport()->mapToGlobal(at));
  });
}

void DesignController::buildMenu() {
  mnuOntwerp_ = new QMenu("Ontwerp", mainWindow_);
  mnuOntwerp_->setObjectName("mnuOntwerp");
  const auto item = [this](const char* name, const QString& caption,
                           void (DesignController::*handler)()) {
    QAction* action = mnuOntwerp_->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
  };
  item("mnuOntwerpSimulatie", "Simulatie", &DesignController::mnuOntwerpSimulatie_Click);
  mnuOntwerp_->addSeparator();
  item("mnuOntwerpNewTool", "Nieuw gereedschap ...", &DesignController::mnuOntwerpNewTool_Click);
  mnuOntwerp_->addSeparator();
  item("mnuOntwerpG9094", "G90 - G92 - G94", &DesignController::mnuOntwerpG9094_Click);
  mnuOntwerp_->addSeparator();
  item("mnuOntwerpEinde", "M30 Einde programma", &DesignController::mnuOntwerpEinde_Click);
}

QString DesignController::programFolder() const {
  return programFolder_.isEmpty() ? ProgramFolder() : programFolder_;
}

QString DesignController::designFilePath() const {
  return QDir(programFolder()).filePath(QString::fromLatin1(DesignFileName));
}

void DesignController::InsertDesignText(const QString& text) {
  insertDesignText(*designText_, text);
}

bool DesignController::designEmpty() const {
  return designText_->toPlainText().isEmpty();
}

void DesignController::mnuOntwerpSimulatie_Click() {
  const QString path = designFilePath();
  if (!saveDesignFile(path, designText(*designText_))) {
    showMessage_(mainWindow_,
                 QStringLiteral("Het ontwerp kan niet worden opgeslagen in het bestand %1.")
                     .arg(QDir::toNativeSeparators(path)),
                 QStringLiteral("Simulatie"));
    return;
  }
  runDesignFile_(path);
}

void DesignController::mnuOntwerpNewTool_Click() {
  frmTool dialog([this] { return designEmpty(); },
                 [this](const QString& text) { InsertDesignText(text); }, mainWindow_);
  dialog.exec();
  takeKeyboard(designText_);
}

void DesignController::mnuOntwerpG9094_Click() {
  frmG9094 dialog([this](const QString& text) { InsertDesignText(text); }, showMessage_,
                  mainWindow_);
  dialog.exec();
  takeKeyboard(designText_);
}

void DesignController::mnuOntwerpEinde_Click() {
  InsertDesignText(QString::fromStdString(ProgramEndText()));
}

}  // namespace draivo
