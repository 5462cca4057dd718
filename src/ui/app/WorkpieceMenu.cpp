#include "app/WorkpieceMenu.h"

#include <QAction>
#include <QMenu>

#include "app/WarningsWindow.h"
#include "app/WorkpieceDialog.h"
#include "platform/TakeKeyboard.h"
#include "run/Host.h"
#include "run/Simulator.h"

namespace draivo {

WorkpieceMenu::WorkpieceMenu(Simulator& simulator, Host& host, QMenu* menu, QWidget* window)
    : QObject(window), sim_(simulator), host_(host), stock_(simulator), window_(window) {
  auto* werkstuk = menu->addAction("Werkstuk ...");
  werkstuk->setObjectName("mnuBewerkingWerkstuk");
  connect(werkstuk, &QAction::triggered, this, &WorkpieceMenu::showDialog);
  warnings_ = new WarningsWindow([this](const StockWarning& w) { selectBlock(w); }, window);
  auto* waarschuwingen = menu->addAction("Waarschuwingen ...");
  waarschuwingen->setObjectName("mnuBewerkingWaarschuwingen");
  connect(waarschuwingen, &QAction::triggered, warnings_, [this] {
    warnings_->show();
    warnings_->raise();
  });

  connections_.push_back(sim_.onRunStart.connect([this] { warnings_->clear(); }));
  connections_.push_back(
      stock_.onWarning.connect([this](const StockWarning& w) { warnings_->add(w); }));
  connections_.push_back(stock_.onWarningsRestored.connect([this] {
    warnings_->clear();
    for (const StockWarning& warning : stock_.warnings()) warnings_->add(warning);
  }));
  connections_.push_back(
      stock_.onBlankFault.connect([this](const BlankCommentFault& f) { blankFault(f); }));
}

void WorkpieceMenu::showDialog() {
  std::optional<std::string> programBlank;
  if (const auto program = sim_.lstCommands.texts()) {
    if (const std::optional<BlankComment> comment = FindBlankComment(*program)) {
      programBlank = std::string((*program)[comment->index]);
    }
  }
  const KeyboardReturn keyboard(window_);
  WorkpieceDialog dialog(stock_.setup(), programBlank, window_);
  if (dialog.exec() == QDialog::Accepted) stock_.setSetup(dialog.setup());
}

// The block of the warning is selected when its file is the one in the list.
void WorkpieceMenu::selectBlock(const StockWarning& warning) {
  if (warning.where.file != sim_.listedFile()) return;
  ProgramList& list = sim_.lstCommands;
  for (int index = 0; index < list.ListCount(); ++index) {
    if (list.lineOf(index) == warning.where.line) {
      list.setListIndex(index);
      host_.programListChanged();
      return;
    }
  }
}

// The run goes on without a workpiece; the user is told what is wrong with the line.
void WorkpieceMenu::blankFault(const BlankCommentFault& fault) {
  host_.messageBox("Regel " + std::to_string(fault.where.line) + ": " + fault.where.block + "\n" +
                       FaultSentence(fault.fault, Language::Dutch) +
                       "\nDe simulatie gaat verder zonder werkstuk.",
                   "Werkstuk", MessageButtons::Ok, MessageIcon::Exclamation);
}

}  // namespace draivo
