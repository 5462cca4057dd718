#pragma once

#include <QObject>

#include "stock/RunStock.h"

class QAction;
class QMenu;
class QWidget;

namespace draivo {

class Host;
class Simulator;
class WarningsWindow;

// The menu items "Werkstuk ..." and "Waarschuwingen ...": the workpiece of the simulator's
// runs, fed by the run's hooks, set in its dialog; the warnings of a run shown in their own
// window, whose lines select their block in the program list.
class WorkpieceMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the items at the end of `menu`; the dialog and the window belong to `window`, which
  // is told through `host` when the program list's selection changed.
  WorkpieceMenu(Simulator& simulator, Host& host, QMenu* menu, QWidget* window);

  const RunStock& stock() const { return stock_; }
  WarningsWindow* warningsWindow() const { return warnings_; }

 private:
  void showDialog();
  void selectBlock(const StockWarning& warning);
  void blankFault(const BlankCommentFault& fault);

  Simulator& sim_;
  Host& host_;
  RunStock stock_;
  QWidget* window_ = nullptr;
  WarningsWindow* warnings_ = nullptr;
  std::vector<Connection> connections_;
};

}  // namespace draivo
