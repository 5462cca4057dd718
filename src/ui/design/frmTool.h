#pragma once

#include <QDialog>
#include <functional>

#include "design/ToolBlocks.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace draivo {

class FieldGuard;

// "Nieuw gereedschap": writes the blocks that start a machining step with a new tool into
// the design program and closes.
class frmTool : public QDialog {
  Q_OBJECT

 public:
  using DesignEmpty = std::function<bool()>;
  using Insert = std::function<void(const QString& text)>;

  // `designEmpty` tells whether the design text is still the empty string; `insert` takes
  // the generated blocks. The dialog places itself relative to `mainWindow`.
  frmTool(DesignEmpty designEmpty, Insert insert, QWidget* mainWindow = nullptr);

  // The choices and texts as they stand.
  ToolFields fields() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void setUpFields();
  void chainTabOrder();
  void Command1_Click();

  QGroupBox* frame(const char* name, const QString& caption);
  QRadioButton* option(const char* name, const QString& caption, bool checked);
  QLineEdit* textField(const char* name, const QString& text, const QString& toolTip);

  DesignEmpty designEmpty_;
  Insert insert_;
  FieldGuard* guard_ = nullptr;

  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;
  QRadioButton* Option5 = nullptr;
  QRadioButton* Option6 = nullptr;
  QRadioButton* Option7 = nullptr;
  QRadioButton* Option8 = nullptr;
  QRadioButton* Option9 = nullptr;
  QLineEdit* txtTool = nullptr;
  QLineEdit* txtToolCorrection = nullptr;
  QLineEdit* txtDescription = nullptr;
  QLineEdit* txtMaxTour = nullptr;
  QLineEdit* txtCutSpeed = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace draivo
