#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "stock/StockInput.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace draivo {

// "Werkstuk": whether the runs cut a workpiece, and which: the blank comment of the program,
// or the bar typed in here; the jaws of the chuck, and the nose radius of the tools. The
// fields are read when "OK" is clicked: a value that cannot be used keeps the dialog open
// with a Dutch message that names it.
class WorkpieceDialog : public QDialog {
  Q_OBJECT

 public:
  // `programBlank` is the blank comment line of the program in the list, if it has one.
  WorkpieceDialog(const WorkpieceSetup& setup, const std::optional<std::string>& programBlank,
                  QWidget* parent = nullptr);

  // The setup the user accepted.
  const WorkpieceSetup& setup() const { return setup_; }

 private:
  void fillFields(const BarBlank& blank);
  void follow();  // enables the fields that count
  void accept() override;
  // The fault of the fields, in a Dutch sentence; "" when they can be used.
  // `field` is the letter of the field at fault (D, L, Z, B, K, J; R, T for the nose radii).
  std::string read(WorkpieceSetup& setup, char& field) const;
  QLineEdit* fieldOf(char field) const;

  WorkpieceSetup setup_;
  std::optional<BlankParse> programBlank_;
  QCheckBox* chkWerkstuk_ = nullptr;
  QRadioButton* optProgramma_ = nullptr;
  QRadioButton* optEigen_ = nullptr;
  QLabel* lblProgramma_ = nullptr;
  QLineEdit* txtDiameter_ = nullptr;
  QLineEdit* txtLengte_ = nullptr;
  QLineEdit* txtVlak_ = nullptr;
  QLineEdit* txtBoring_ = nullptr;
  QLineEdit* txtKlemlengte_ = nullptr;
  QLineEdit* txtKlauwdiameter_ = nullptr;
  QLineEdit* txtNeusradius_ = nullptr;
  QLineEdit* txtNeusradii_ = nullptr;
  QLabel* lblFout_ = nullptr;
};

}  // namespace draivo
