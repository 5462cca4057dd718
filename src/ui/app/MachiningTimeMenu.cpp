#include "app/MachiningTimeMenu.h"

#include <QAction>
#include <QMenu>

#include "app/MachiningTimeDialog.h"
#include "platform/TakeKeyboard.h"
#include "run/Simulator.h"

namespace draivo {

MachiningTimeMenu::MachiningTimeMenu(Simulator& simulator, QMenu* menu, QWidget* window)
    : QObject(window), sim_(simulator), recorder_(simulator), window_(window) {
  mnuBewerkingBewerkingstijd_ = menu->addAction("Bewerkingstijd ...");
  mnuBewerkingBewerkingstijd_->setObjectName("mnuBewerkingBewerkingstijd");
  connect(mnuBewerkingBewerkingstijd_, &QAction::triggered, this, &MachiningTimeMenu::showDialog);

  refresh();
}

void MachiningTimeMenu::refresh() {
  mnuBewerkingBewerkingstijd_->setEnabled(recorder_.hasRun() && !sim_.run.RunBusy);
}

void MachiningTimeMenu::showDialog() {
  if (!recorder_.hasRun() || sim_.run.RunBusy) return;
  const KeyboardReturn keyboard(window_);
  MachiningTimeDialog dialog(recorder_.account(), window_);
  dialog.exec();
}

}  // namespace draivo
