#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "design/CycleBlocks.h"
#include "design/CycleFieldRules.h"
#include "design/ShowMessage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace draivo {

class FieldGuard;

// "Automatisch repeteren": writes one single cycle (G90, G92 or G94, one tab each) into the
// design program and stays open for the next.
class frmG9094 : public QDialog {
  Q_OBJECT

 public:
  using Insert = std::function<void(const QString& text)>;

  static constexpr int PreviewWidth = 200;
  static constexpr int PreviewHeight = 150;

  frmG9094(Insert insert, ShowMessage showMessage, QWidget* mainWindow = nullptr);

  // The texts of the tab of the given cycle as they stand.
  CycleFields fields(SingleCycle cycle) const;

 private:
  static constexpr int FieldCount = 8;

  struct CycleTab {
    SingleCycle cycle = SingleCycle::G90;
    std::array<QLineEdit*, FieldCount> field{};  // in the order of CycleField
    QCheckBox* chkKoelwater = nullptr;
    QPushButton* cmdVoorbeeld = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* picVoorbeeld = nullptr;

    QLineEdit* operator[](CycleField f) const { return field[static_cast<std::size_t>(f)]; }
  };

  QWidget* buildTab(CycleTab& tab);
  void setUpFields(CycleTab& tab);
  static void chainTabOrder(const CycleTab& tab);
  const CycleTab& tabOf(SingleCycle cycle) const;

  void cmdVoorbeeld_Click(int index);
  void cmdAdd_Click(int index);
  // Tells the user why a tab's cuts cannot be written; false when they can.
  bool refused(PlanStatus status);

  Insert insert_;
  ShowMessage showMessage_;
  FieldGuard* guard_ = nullptr;
  QTabWidget* SSTab1 = nullptr;
  std::array<CycleTab, 3> tabs_;
};

}  // namespace draivo
