#pragma once

#include <QWidget>
#include <functional>

#include "stock/StockWarnings.h"

class QLabel;
class QListWidget;

namespace draivo {

// "Waarschuwingen": the warnings of the workpiece in the last or current run, one line per
// warning with its file line and block. A click on a line calls `select` with the warning, so
// that the window beside it shows the block. The window comes up, without taking the keyboard,
// with the first warning of a run.
class WarningsWindow : public QWidget {
  Q_OBJECT

 public:
  WarningsWindow(std::function<void(const StockWarning&)> select, QWidget* owner);

  void clear();
  void add(const StockWarning& warning);
  int count() const;

 private:
  std::function<void(const StockWarning&)> select_;
  std::vector<StockWarning> warnings_;
  QListWidget* lstWaarschuwingen_ = nullptr;
  QLabel* lblAantal_ = nullptr;
  bool placed_ = false;  // moved to its first place; then where the user leaves it
};

}  // namespace draivo
