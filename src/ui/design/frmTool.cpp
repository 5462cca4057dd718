#include "design/frmTool.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "design/DesignTextArea.h"
#include "design/FieldGuard.h"
#include "design/FieldRules.h"

namespace draivo {
namespace {

constexpr int LeftTwips = 6420;
constexpr int TopTwips = 945;

std::string plain(const QLineEdit* field) {
  return field->text().toStdString();
}

QString unsignedRule(const QString& text) {
  return QString::fromStdString(applyChangeRule(ChangeRule::Unsigned, text.toStdString()));
}

bool leavesOption(const QEvent& event) {
  if (event.type() != QEvent::FocusOut) return false;
  const auto reason = static_cast<const QFocusEvent&>(event).reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

frmTool::frmTool(DesignEmpty designEmpty, Insert insert, QWidget* mainWindow)
    : QDialog(mainWindow), designEmpty_(std::move(designEmpty)), insert_(std::move(insert)) {
  setObjectName("frmTool");
  setWindowTitle("Nieuw gereedschap");
  setModal(true);
  buildControls();
  setUpFields();
  chainTabOrder();
  placeDialog(*this, mainWindow, LeftTwips, TopTwips);
}

QGroupBox* frmTool::frame(const char* name, const QString& caption) {
  auto* box = new QGroupBox(caption, this);
  box->setObjectName(name);
  return box;
}

QRadioButton* frmTool::option(const char* name, const QString& caption, bool checked) {
  auto* button = new QRadioButton(caption);
  button->setObjectName(name);
  button->setChecked(checked);
  return button;
}

QLineEdit* frmTool::textField(const char* name, const QString& text, const QString& toolTip) {
  auto* field = new QLineEdit(text);
  field->setObjectName(name);
  field->setToolTip(toolTip);
  return field;
}

void frmTool::buildControls() {
  QGroupBox* Frame1 = frame("Frame1", "G20 - G21");
  Option1 = option("Option1", "Duim", false);
  Option2 = option("Option2", "Metrisch", true);
  auto* units = new QVBoxLayout(Frame1);
  units->addWidget(Option1);
  units->addWidget(Option2);

  QGroupBox* Frame4 = frame("Frame4", "G40 Radius");
  Option3 = option("Option3", "Annulatie", true);
  auto* Label1 = new QLabel("compensatie");
  Label1->setObjectName("Label1");
  auto* radius = new QHBoxLayout(Frame4);
  radius->addWidget(Option3);
  radius->addWidget(Label1);

  QGroupBox* Frame5 = frame("Frame5", "G98 - G99");
  Option4 = option("Option4", "mm/min", false);
  Option5 = option("Option5", "mm/tr", true);
  auto* feedMode = new QVBoxLayout(Frame5);
  feedMode->addWidget(Option4);
  feedMode->addWidget(Option5);

  QGroupBox* Frame2 = frame("Frame2", "T-Gereedschap : Plaats - Correctie");
  txtTool = textField("txtTool", "01", "Nummer van 1 tot 99");
  txtToolCorrection = textField("txtToolCorrection", "01", "Nummer van 1 tot 99");
  txtDescription = textField("txtDescription", "", "Beschrijving van bewerking - gereedschap");
  txtTool->setMaximumWidth(40);
  txtToolCorrection->setMaximumWidth(40);
  auto* tool = new QHBoxLayout(Frame2);
  tool->addWidget(txtTool);
  tool->addWidget(txtToolCorrection);
  tool->addWidget(txtDescription, 1);

  QGroupBox* Frame3 = frame("Frame3", "G50 Toerental begrenzing");
  txtMaxTour = textField("txtMaxTour", "3000", "");
  (new QVBoxLayout(Frame3))->addWidget(txtMaxTour);

  QGroupBox* Frame6 = frame("Frame6", "G96 - G97");
  Option6 = option("Option6", "Snijsnelheid", true);
  Option7 = option("Option7", "Toerental", false);
  txtCutSpeed = textField("txtCutSpeed", DefaultCutSpeed, "");
  auto* speed = new QVBoxLayout(Frame6);
  speed->addWidget(Option6);
  speed->addWidget(Option7);
  speed->addWidget(txtCutSpeed);

  QGroupBox* Frame7 = frame("Frame7", "Spil draait");
  Option8 = option("Option8", "M03 - rechts", true);
  Option9 = option("Option9", "M04 - links", false);
  auto* spindle = new QVBoxLayout(Frame7);
  spindle->addWidget(Option8);
  spindle->addWidget(Option9);

  Command1 = new QPushButton("Toevoegen");
  Command1->setObjectName("Command1");
  Command2 = new QPushButton("Annuleren");
  Command2->setObjectName("Command2");
  for (QPushButton* button : {Command1, Command2}) button->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &frmTool::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  buttons->addStretch();

  auto* grid = new QGridLayout(this);
  grid->addWidget(Frame1, 0, 0);
  grid->addWidget(Frame4, 0, 1);
  grid->addWidget(Frame5, 0, 2);
  grid->addWidget(Frame2, 1, 0, 1, 3);
  grid->addWidget(Frame3, 2, 0);
  grid->addWidget(Frame6, 2, 1);
  grid->addWidget(Frame7, 2, 2);
  grid->addLayout(buttons, 0, 3, 3, 1);
}

void frmTool::setUpFields() {
  guard_ = new FieldGuard(this);
  const auto padded = [](QLineEdit* field) {
    return [field] { field->setText(QString::fromStdString(padToolNumber(plain(field)))); };
  };
  guard_->addField(
      txtTool, unsignedRule, [this] { return toolNumberValid(plain(txtTool)); }, padded(txtTool));
  guard_->addField(
      txtToolCorrection, unsignedRule, [this] { return toolNumberValid(plain(txtToolCorrection)); },
      padded(txtToolCorrection));
  guard_->addField(txtMaxTour, unsignedRule,
                   [this] { return numberFieldValid(plain(txtMaxTour), MaxTourRange); });
  guard_->addField(txtCutSpeed, unsignedRule, [this] {
    return numberFieldValid(plain(txtCutSpeed),
                            Option6->isChecked() ? CutSpeedRange : SpindleSpeedRange);
  });
  for (QWidget* control : std::initializer_list<QWidget*>{
           Option1, Option2, Option3, Option4, Option5, Option6, Option7, Option8, Option9,
           txtDescription, Command1, Command2}) {
    guard_->guard(control);
  }
  Option6->installEventFilter(this);
  Option7->installEventFilter(this);
}

void frmTool::chainTabOrder() {
  QWidget* const order[] = {Option1,    Option2, Option3,           Option4,
                            Option5,    txtTool, txtToolCorrection, txtDescription,
                            txtMaxTour, Option6, Option7,           txtCutSpeed,
                            Option8,    Option9, Command1,          Command2};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

bool frmTool::eventFilter(QObject* watched, QEvent* event) {
  // Leaving a speed option sets the speed field to that mode's default, changed or not.
  if (leavesOption(*event)) {
    if (watched == Option6) txtCutSpeed->setText(DefaultCutSpeed);
    if (watched == Option7) txtCutSpeed->setText(DefaultSpindleSpeed);
  }
  return QDialog::eventFilter(watched, event);
}

ToolFields frmTool::fields() const {
  ToolFields f;
  f.inch = Option1->isChecked();
  f.feedPerMinute = Option4->isChecked();
  f.tool = plain(txtTool);
  f.toolCorrection = plain(txtToolCorrection);
  f.description = plain(txtDescription);
  f.maxTour = plain(txtMaxTour);
  f.constantCutSpeed = Option6->isChecked();
  f.cutSpeed = plain(txtCutSpeed);
  f.clockwise = Option8->isChecked();
  return f;
}

void frmTool::Command1_Click() {
  const std::string text = BuildToolText(fields(), designEmpty_());
  insert_(QString::fromStdString(text));
  accept();
}

}  // namespace draivo
