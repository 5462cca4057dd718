#pragma once

#include <QDialog>

#include "time/TimeAccount.h"

class QLabel;
class QSpinBox;
class QTableWidget;

namespace draivo {

// "Bewerkingstijd": the machining time of the last run per tool and in all, with a field for
// the rapid rate; a new rate shows its times at once. It changes nothing else.
class MachiningTimeDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int MaxRapidRate = 1000000;

  MachiningTimeDialog(const TimeAccount& account, QWidget* parent);

 private:
  void fill();

  TimeAccount account_;
  QTableWidget* grdBewerkingstijd_ = nullptr;
  QSpinBox* txtIJlgang_ = nullptr;
  QLabel* lblOpmerking_ = nullptr;
};

}  // namespace draivo
