#pragma once

#include <QDialog>
#include <QStringList>

#include "time/TimeAccount.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace draivo {

// "Bewerkingstijd": the machining time of the last run per tool and in all, with a field for
// the rapid rate; a new rate shows its times at once. A text that is no rate is marked in the
// field, and the table says that it still holds the times of the last rate, until the field is
// mended. It changes nothing else.
class MachiningTimeDialog : public QDialog {
  Q_OBJECT

 public:
  MachiningTimeDialog(const TimeAccount& account, QWidget* parent);

 private:
  void rateEdited(const QString& text);
  void fill();
  void showNotes(const QStringList& extra);

  TimeAccount account_;
  double rate_;             // the rate the table shows
  QStringList tableNotes_;  // the notes of the table at that rate
  QTableWidget* grdBewerkingstijd_ = nullptr;
  QLineEdit* txtIJlgang_ = nullptr;
  QLabel* lblOpmerking_ = nullptr;
};

}  // namespace draivo
