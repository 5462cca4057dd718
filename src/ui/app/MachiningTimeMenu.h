#pragma once

#include <QObject>

#include "time/RunTimeRecorder.h"

class QAction;
class QMenu;
class QWidget;

namespace draivo {

class Simulator;

// The menu item "Bewerkingstijd ...": keeps the machining time of the simulator's runs
// through its run hooks and shows the account of the last run in its dialog.
class MachiningTimeMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the item at the end of `menu`; the dialog opens over `window`.
  MachiningTimeMenu(Simulator& simulator, QMenu* menu, QWidget* window);

  // Enabled when a run has ended.
  void refresh();
  const RunTimeRecorder& recorder() const { return recorder_; }

 private:
  void showDialog();

  Simulator& sim_;
  RunTimeRecorder recorder_;
  QAction* mnuBewerkingBewerkingstijd_ = nullptr;
  QWidget* window_ = nullptr;
};

}  // namespace draivo
