#include "app/WorkpieceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "nc/NumberFormat.h"

namespace draivo {
namespace {

constexpr int FieldCharacters = 10;

QString text(const std::string& value) {
  return QString::fromStdString(value);
}

// A field of a blank: empty when it holds its default.
QString fieldText(double value) {
  return value == 0 ? QString() : text(formatGeneral(value));
}

// "1=0.8 T0202=0.4": the nose radius of each tool named.
std::string readNoseRadii(const QString& typed, NoseRadii& noses) {
  for (const QString& entry : typed.split(' ', Qt::SkipEmptyParts)) {
    const NoseRadiusParse parse = ParseNoseRadius(entry.toStdString());
    if (parse.fault) return FaultSentence(*parse.fault, Language::Dutch);
    if (!parse.tool) return "Geef de neusradius per gereedschap als T=R, zoals 1=0.8.";
    noses.byTool[*parse.tool] = parse.radius;
  }
  return {};
}

}  // namespace

WorkpieceDialog::WorkpieceDialog(const WorkpieceSetup& setup,
                                 const std::optional<std::string>& programBlank, QWidget* parent)
    : QDialog(parent), setup_(setup) {
  setObjectName("frmWerkstuk");
  setWindowTitle("Werkstuk");
  if (programBlank) programBlank_ = ParseBlankComment(*programBlank);

  chkWerkstuk_ = new QCheckBox("&Werkstuk simuleren", this);
  chkWerkstuk_->setObjectName("chkWerkstuk");
  optProgramma_ = new QRadioButton("Werkstuk uit het &programma", this);
  optProgramma_->setObjectName("optProgramma");
  lblProgramma_ = new QLabel(this);
  lblProgramma_->setObjectName("lblProgramma");
  lblProgramma_->setWordWrap(true);
  if (!programBlank) {
    lblProgramma_->setText("Het programma heeft geen regel (WERKSTUK D.. L..).");
  } else if (programBlank_->fault) {
    lblProgramma_->setText(text(*programBlank + "\n" +
                                FaultSentence(*programBlank_->fault, Language::Dutch)));
  } else {
    lblProgramma_->setText(text(*programBlank));
  }
  optEigen_ = new QRadioButton("&Dit werkstuk :", this);
  optEigen_->setObjectName("optEigen");

  const auto field = [this](const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * (FieldCharacters + 2));
    return edit;
  };
  txtDiameter_ = field("txtDiameter");
  txtLengte_ = field("txtLengte");
  txtVlak_ = field("txtVlak");
  txtBoring_ = field("txtBoring");
  txtKlemlengte_ = field("txtKlemlengte");
  txtKlauwdiameter_ = field("txtKlauwdiameter");
  txtNeusradius_ = field("txtNeusradius");
  txtNeusradii_ = new QLineEdit(this);
  txtNeusradii_->setObjectName("txtNeusradii");
  txtVlak_->setPlaceholderText("0");
  txtBoring_->setPlaceholderText("geen");
  txtKlemlengte_->setPlaceholderText("geen");
  txtKlauwdiameter_->setPlaceholderText("2 x D");
  txtNeusradius_->setPlaceholderText("0.4 mm");
  txtNeusradii_->setPlaceholderText("1=0.8 2=0.2");

  auto* blank = new QFormLayout;
  blank->addRow("Diameter D :", txtDiameter_);
  blank->addRow("Lengte L :", txtLengte_);
  blank->addRow("Vlak op Z :", txtVlak_);
  blank->addRow("Boring B :", txtBoring_);
  blank->addRow("Klemlengte K :", txtKlemlengte_);
  blank->addRow("Klauwdiameter J :", txtKlauwdiameter_);
  auto* tools = new QFormLayout;
  tools->addRow("Neusradius :", txtNeusradius_);
  tools->addRow("Per gereedschap :", txtNeusradii_);

  lblFout_ = new QLabel(this);
  lblFout_->setObjectName("lblFout");
  lblFout_->setWordWrap(true);
  lblFout_->setStyleSheet("QLabel { color: #b00000; }");
  lblFout_->hide();

  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  buttons->addButton("Annuleren", QDialogButtonBox::RejectRole)->setObjectName("cmdAnnuleren");
  connect(buttons, &QDialogButtonBox::accepted, this, &WorkpieceDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(chkWerkstuk_);
  layout->addWidget(optProgramma_);
  layout->addWidget(lblProgramma_);
  layout->addWidget(optEigen_);
  layout->addLayout(blank);
  layout->addLayout(tools);
  layout->addWidget(lblFout_);
  layout->addWidget(buttons);

  chkWerkstuk_->setChecked(setup.source != WorkpieceSetup::Source::None);
  const bool fromProgram = setup.source == WorkpieceSetup::Source::Program ||
                           (setup.source == WorkpieceSetup::Source::None && programBlank);
  (fromProgram ? optProgramma_ : optEigen_)->setChecked(true);
  if (setup.source == WorkpieceSetup::Source::Given) {
    fillFields(setup.blank);
  } else if (programBlank_ && !programBlank_->fault) {
    fillFields(programBlank_->blank);  // shown, to be taken over and changed
  }
  txtNeusradius_->setText(fieldText(setup.noses.fallback));
  QStringList perTool;
  for (const auto& [tool, radius] : setup.noses.byTool) {
    perTool << QString::number(tool) + "=" + text(formatGeneral(radius));
  }
  txtNeusradii_->setText(perTool.join(' '));

  connect(chkWerkstuk_, &QCheckBox::toggled, this, &WorkpieceDialog::follow);
  connect(optProgramma_, &QRadioButton::toggled, this, &WorkpieceDialog::follow);
  follow();
  chkWerkstuk_->setFocus();
}

void WorkpieceDialog::fillFields(const BarBlank& blank) {
  txtDiameter_->setText(fieldText(blank.diameter));
  txtLengte_->setText(fieldText(blank.length));
  txtVlak_->setText(fieldText(blank.face));
  txtBoring_->setText(fieldText(blank.bore));
  txtKlemlengte_->setText(fieldText(blank.chuckLength));
  txtKlauwdiameter_->setText(fieldText(blank.jawDiameter));
}

void WorkpieceDialog::follow() {
  const bool on = chkWerkstuk_->isChecked();
  const bool own = on && optEigen_->isChecked();
  optProgramma_->setEnabled(on);
  optEigen_->setEnabled(on);
  for (QLineEdit* edit : {txtDiameter_, txtLengte_, txtVlak_, txtBoring_, txtKlemlengte_,
                          txtKlauwdiameter_}) {
    edit->setEnabled(own);
  }
  txtNeusradius_->setEnabled(on);
  txtNeusradii_->setEnabled(on);
}

// The field where the user types the value of a blank letter; the nose radius for R.
QLineEdit* WorkpieceDialog::fieldOf(char field) const {
  switch (field) {
    case 'D': return txtDiameter_;
    case 'L': return txtLengte_;
    case 'Z': return txtVlak_;
    case 'B': return txtBoring_;
    case 'K': return txtKlemlengte_;
    case 'J': return txtKlauwdiameter_;
    case 'R': return txtNeusradius_;
    case 'T': return txtNeusradii_;
    default: return nullptr;
  }
}

std::string WorkpieceDialog::read(WorkpieceSetup& setup, char& field) const {
  setup = {};
  field = 0;
  if (!chkWerkstuk_->isChecked()) return {};
  if (optEigen_->isChecked()) {
    std::vector<std::string> words;
    const std::pair<char, QLineEdit*> fields[] = {
        {'D', txtDiameter_}, {'L', txtLengte_},       {'Z', txtVlak_},
        {'B', txtBoring_},   {'K', txtKlemlengte_}, {'J', txtKlauwdiameter_}};
    for (const auto& [letter, edit] : fields) {
      const QString typed = edit->text().trimmed();
      if (!typed.isEmpty()) words.push_back(letter + typed.toStdString());
    }
    const BlankParse parse = ParseBlankWords({words.begin(), words.end()});
    if (parse.fault) {
      field = parse.fault->field;
      return FaultSentence(*parse.fault, Language::Dutch);
    }
    setup.source = WorkpieceSetup::Source::Given;
    setup.blank = parse.blank;
  } else {
    // Also for programs opened later; a program without the line runs without a workpiece.
    setup.source = WorkpieceSetup::Source::Program;
  }
  const QString nose = txtNeusradius_->text().trimmed();
  if (!nose.isEmpty()) {
    const NoseRadiusParse parse = ParseNoseRadius(nose.toStdString());
    field = 'R';
    if (parse.fault) return FaultSentence(*parse.fault, Language::Dutch);
    if (parse.tool) return "Geef bij \"Neusradius\" alleen een radius; per gereedschap ernaast.";
    field = 0;
    setup.noses.fallback = parse.radius;
  }
  const std::string perTool = readNoseRadii(txtNeusradii_->text(), setup.noses);
  if (!perTool.empty()) field = 'T';
  return perTool;
}

void WorkpieceDialog::accept() {
  WorkpieceSetup setup;
  char field = 0;
  const std::string fault = read(setup, field);
  lblFout_->setText(text(fault));
  lblFout_->setVisible(!fault.empty());
  if (!fault.empty()) {
    if (QLineEdit* edit = fieldOf(field)) {
      edit->setFocus();
      edit->selectAll();
    }
    return;
  }
  setup_ = setup;
  QDialog::accept();
}

}  // namespace draivo
