#include "design/frmG9094.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "design/CyclePreview.h"
#include "design/DesignTextArea.h"
#include "design/FieldGuard.h"
#include "platform/SurfaceImage.h"
#include "render/Surface.h"

namespace draivo {
namespace {

constexpr int LeftTwips = 2415;
constexpr int TopTwips = 945;
const QString Caption = QStringLiteral("Automatisch repeteren");

constexpr std::array<SingleCycle, 3> Cycles{SingleCycle::G90, SingleCycle::G92, SingleCycle::G94};

struct FieldInfo {
  CycleField field;
  const char* name;
  const char* toolTip;
};

// The fields in tab order, with the names the dialog knows them by.
constexpr std::array<FieldInfo, 8> FieldInfos{{
    {CycleField::StartX, "txtsPostX", ""},
    {CycleField::StartZ, "txtsPosZ", ""},
    {CycleField::FirstX, "txtstartX", ""},
    {CycleField::FirstZ, "txtstartZ", ""},
    {CycleField::Taper, "txtConisch", "Conisiteit"},
    {CycleField::Feed, "txtFeed", "Voeding"},
    {CycleField::LastCut, "txteindX", ""},
    {CycleField::Step, "txtstapX", "Stap per snede"},
}};

int indexOf(SingleCycle cycle) {
  return static_cast<int>(cycle);
}

QString tabCaption(SingleCycle cycle) {
  switch (cycle) {
    case SingleCycle::G90:
      return QStringLiteral("G90 Langssnede");
    case SingleCycle::G92:
      return QStringLiteral("G92 Schroefdraad");
    case SingleCycle::G94:
      return QStringLiteral("G94 Dwarssnede");
  }
  return {};
}

// Controls of one tab share their names; the property tells which tab they belong to.
template <typename Widget>
Widget* named(Widget* widget, const char* name, SingleCycle cycle) {
  widget->setObjectName(name);
  widget->setProperty("Index", indexOf(cycle));
  return widget;
}

QLabel* label(int number, const QString& caption, int labelIndex) {
  auto* l = new QLabel(caption);
  l->setObjectName(QStringLiteral("Label%1").arg(number));
  l->setProperty("Index", labelIndex);
  return l;
}

}  // namespace

frmG9094::frmG9094(Insert insert, ShowMessage showMessage, QWidget* mainWindow)
    : QDialog(mainWindow), insert_(std::move(insert)), showMessage_(std::move(showMessage)) {
  setObjectName("frmG9094");
  setWindowTitle(Caption);
  setModal(true);
  guard_ = new FieldGuard(this);
  SSTab1 = new QTabWidget(this);
  SSTab1->setObjectName("SSTab1");
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    tabs_[i].cycle = Cycles[i];
    SSTab1->addTab(buildTab(tabs_[i]), tabCaption(Cycles[i]));
    setUpFields(tabs_[i]);
    chainTabOrder(tabs_[i]);
  }
  SSTab1->setCurrentIndex(0);
  guard_->guard(SSTab1->tabBar());
  // A new tab starts in its first field, whose whole text is selected.
  connect(SSTab1, &QTabWidget::currentChanged, this, [this](int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
    QLineEdit* first = tabs_[static_cast<std::size_t>(index)][CycleField::StartX];
    first->setFocus(Qt::TabFocusReason);
    first->selectAll();
  });
  (new QVBoxLayout(this))->addWidget(SSTab1);
  placeDialog(*this, mainWindow, LeftTwips, TopTwips);
}

QWidget* frmG9094::buildTab(CycleTab& tab) {
  const SingleCycle cycle = tab.cycle;
  const int labelIndex = static_cast<int>(&tab - tabs_.data());
  const bool facing = cycle == SingleCycle::G94;
  const CycleFields defaults = DefaultCycleFields(cycle);
  auto* page = new QWidget;
  page->setProperty("Index", indexOf(cycle));

  for (const FieldInfo& info : FieldInfos) {
    CycleFields copy = defaults;
    auto* field =
        named(new QLineEdit(QString::fromStdString(fieldText(copy, info.field))), info.name, cycle);
    field->setToolTip(QString::fromUtf8(info.toolTip));
    field->setMaximumWidth(70);
    tab.field[static_cast<std::size_t>(info.field)] = field;
  }
  tab.chkKoelwater = named(new QCheckBox("Koelwater aan"), "chkKoelwater", cycle);

  auto* grid = new QGridLayout;
  grid->addWidget(label(1, "Start positie :", labelIndex), 0, 0);
  grid->addWidget(label(2, "X", labelIndex), 0, 1);
  grid->addWidget(tab[CycleField::StartX], 0, 2);
  grid->addWidget(label(3, "Z", labelIndex), 0, 3);
  grid->addWidget(tab[CycleField::StartZ], 0, 4);
  grid->addWidget(tab.chkKoelwater, 0, 5, 1, 4);
  grid->addWidget(label(4, facing ? "1é Dwarssnede :" : "1é Langssnede :", labelIndex), 1, 0);
  grid->addWidget(label(5, "X", labelIndex), 1, 1);
  grid->addWidget(tab[CycleField::FirstX], 1, 2);
  grid->addWidget(label(6, "Z", labelIndex), 1, 3);
  grid->addWidget(tab[CycleField::FirstZ], 1, 4);
  grid->addWidget(label(7, "R", labelIndex), 1, 5);
  grid->addWidget(tab[CycleField::Taper], 1, 6);
  grid->addWidget(label(8, "F", labelIndex), 1, 7);
  grid->addWidget(tab[CycleField::Feed], 1, 8);
  grid->addWidget(label(9, "Laatste snede :", labelIndex), 2, 0);
  grid->addWidget(label(10, facing ? "Z" : "X", labelIndex), 2, 1);
  grid->addWidget(tab[CycleField::LastCut], 2, 2);
  grid->addWidget(label(11, "S", labelIndex), 2, 3);
  grid->addWidget(tab[CycleField::Step], 2, 4);

  tab.cmdVoorbeeld = named(new QPushButton("Voorbeeld"), "cmdVoorbeeld", cycle);
  tab.cmdAdd = named(new QPushButton("Toevoegen"), "cmdAdd", cycle);
  tab.cmdCancel = named(new QPushButton("Sluiten"), "cmdCancel", cycle);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {tab.cmdVoorbeeld, tab.cmdAdd, tab.cmdCancel}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  const int index = indexOf(cycle);
  connect(tab.cmdVoorbeeld, &QPushButton::clicked, this,
          [this, index] { cmdVoorbeeld_Click(index); });
  connect(tab.cmdAdd, &QPushButton::clicked, this, [this, index] { cmdAdd_Click(index); });
  connect(tab.cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  tab.picVoorbeeld = named(new QLabel, "picVoorbeeld", cycle);
  tab.picVoorbeeld->setFixedSize(PreviewWidth, PreviewHeight);
  tab.picVoorbeeld->setFrameShape(QFrame::Box);
  auto* lower = new QHBoxLayout;
  lower->addLayout(buttons);
  lower->addWidget(tab.picVoorbeeld);
  lower->addStretch();

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addLayout(lower);
  return page;
}

void frmG9094::setUpFields(CycleTab& tab) {
  const SingleCycle cycle = tab.cycle;
  for (const FieldInfo& info : FieldInfos) {
    const ChangeRule rule = CycleChangeRule(cycle, info.field);
    const CycleField field = info.field;
    guard_->addField(
        tab[field],
        [rule](const QString& text) {
          return QString::fromStdString(applyChangeRule(rule, text.toStdString()));
        },
        [this, cycle, field] { return CycleFieldValid(fields(cycle), field); });
  }
  for (QWidget* control : std::initializer_list<QWidget*>{tab.chkKoelwater, tab.cmdVoorbeeld,
                                                          tab.cmdAdd, tab.cmdCancel}) {
    guard_->guard(control);
  }
}

void frmG9094::chainTabOrder(const CycleTab& tab) {
  QWidget* previous = tab[CycleField::StartX];
  const auto next = [&previous](QWidget* widget) {
    QWidget::setTabOrder(previous, widget);
    previous = widget;
  };
  next(tab[CycleField::StartZ]);
  next(tab.chkKoelwater);
  for (const CycleField f : {CycleField::FirstX, CycleField::FirstZ, CycleField::Taper,
                             CycleField::Feed, CycleField::LastCut, CycleField::Step}) {
    next(tab[f]);
  }
  next(tab.cmdVoorbeeld);
  next(tab.cmdAdd);
  next(tab.cmdCancel);
}

const frmG9094::CycleTab& frmG9094::tabOf(SingleCycle cycle) const {
  for (const CycleTab& tab : tabs_) {
    if (tab.cycle == cycle) return tab;
  }
  return tabs_.front();
}

CycleFields frmG9094::fields(SingleCycle cycle) const {
  const CycleTab& tab = tabOf(cycle);
  CycleFields f;
  f.cycle = cycle;
  for (const FieldInfo& info : FieldInfos)
    fieldText(f, info.field) = tab[info.field]->text().toStdString();
  f.coolant = tab.chkKoelwater->isChecked();
  return f;
}

bool frmG9094::refused(PlanStatus status) {
  switch (status) {
    case PlanStatus::Ok:
      return false;
    case PlanStatus::InvalidStep:
      showMessage_(this, QStringLiteral("De stap per snede moet groter zijn dan 0."),
                   QGuiApplication::applicationDisplayName());
      return true;
    case PlanStatus::TooManyCuts:
      showMessage_(this,
                   QStringLiteral("Te veel sneden: meer dan %1. Kies een grotere stap per snede.")
                       .arg(MaxFurtherCuts),
                   QGuiApplication::applicationDisplayName());
      return true;
  }
  return true;
}

void frmG9094::cmdVoorbeeld_Click(int index) {
  const SingleCycle cycle = static_cast<SingleCycle>(index);
  const CycleFields f = fields(cycle);
  Surface picture(PreviewWidth, PreviewHeight);
  const bool drawn = !refused(PlanFurtherCuts(f).status);
  DrawCyclePreview(picture, drawn ? CyclePreviewMoves(f) : std::vector<PreviewMove>{});
  tabOf(cycle).picVoorbeeld->setPixmap(QPixmap::fromImage(toQImage(picture)));
}

void frmG9094::cmdAdd_Click(int index) {
  const CycleText cycle = BuildCycleText(fields(static_cast<SingleCycle>(index)));
  if (refused(cycle.status)) return;
  insert_(QString::fromStdString(cycle.text));
}

}  // namespace draivo
