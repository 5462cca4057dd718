#include "app/frmGraphic.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>
#include <QToolButton>

#include "app/CommandSheet.h"
#include "app/FitText.h"
#include "app/Layout.h"
#include "app/MachiningTimeMenu.h"
#include "app/WorkpieceMenu.h"
#include "app/PictureButton.h"
#include "app/ProgramListView.h"
#include "app/SelectOverlay.h"
#include "app/StatusPanelLayout.h"
#include "app/SurfaceView.h"
#include "design/DesignController.h"
#include "editor/ShowEditor.h"
#include "nc/MachineStatus.h"

namespace draivo {

namespace {

constexpr int ControlFontPixels = 11;
constexpr int ZoomPageStep = 10;
constexpr int SpeedPageStep = 5;
constexpr QSize StepBackIconSize(24, 24);

// A bar and a triangle pointing left, as on a player's "step back" key; the disabled look is
// the one Qt derives from it.
QIcon stepBackIcon() {
  QPixmap pixmap(StepBackIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x50, 0x50, 0x50));
  painter.drawRect(QRectF(4, 5, 3, 14));
  painter.drawPolygon(QPolygonF({QPointF(20, 5), QPointF(20, 19), QPointF(8, 12)}));
  return QIcon(pixmap);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  setFittedText(label, caption);
  return label;
}

}  // namespace

frmGraphic::frmGraphic(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), sim_(*this) {
  setObjectName("frmGraphic");
  setWindowTitle(QString::fromStdString(sim_.caption));
  commandSheet_ = drawCommandSheet();
  buildControls();
  buildMenus();

  repaintTimer_.setSingleShot(true);
  connect(&repaintTimer_, &QTimer::timeout, this, &frmGraphic::repaintPictures);
  Timer1_ = new QTimer(this);
  Timer1_->setObjectName("Timer1");
  Timer1_->setSingleShot(true);
  Timer1_->setInterval(StartupTimerMs);
  connect(Timer1_, &QTimer::timeout, this, &frmGraphic::Timer1_Timer);

  built_ = true;
  refreshAll();
  const int menuHeight = menuBar()->sizeHint().height();
  resize(layout::ClientWidth, layout::ClientHeight + menuHeight);
}

frmGraphic::~frmGraphic() {
  built_ = false;
  // The controls go before the simulator they show.
  delete takeCentralWidget();
}

void frmGraphic::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName("clientArea");
  QFont font = client->font();
  font.setPixelSize(ControlFontPixels);
  client->setFont(font);
  // Every control of the layout shows at this size; the window cannot be made smaller.
  client->setMinimumSize(layout::ClientWidth, layout::ClientHeight);
  setCentralWidget(client);

  buildPictures(client);
  buildStatusPanel(client);
  buildButtons(client);

  lstCommands_ = new ProgramListView(sim_.lstCommands, client);
  lstCommands_->setObjectName("lstCommands");
  // The list gives up the room the status panel took beyond its place.
  const QRect list = shrunkFromLeft(layout::lstCommands, panelGrowth_);
  lstCommands_->setGeometry(list);
  lstAutomatic_ = new QListWidget(client);
  lstAutomatic_->setObjectName("lstAutomatic");
  lstAutomatic_->setGeometry(list);
  lstAutomatic_->hide();

  buildScrollBars(client);
  ChkDirect_ = new QCheckBox("Direct", client);
  ChkDirect_->setObjectName("ChkDirect");
  ChkDirect_->setGeometry(layout::ChkDirect);

  RichTextBox1_ = new QTextEdit(client);
  RichTextBox1_->setObjectName("RichTextBox1");
  RichTextBox1_->setGeometry(layout::RichTextBox1);
  RichTextBox1_->setAcceptRichText(false);
  RichTextBox1_->setLineWrapMode(QTextEdit::NoWrap);
  QFont courier("Courier New");
  courier.setStyleHint(QFont::TypeWriter);
  courier.setFixedPitch(true);
  RichTextBox1_->setFont(courier);
  design_ = new DesignController(RichTextBox1_, this,
                                 [this](const QString& path) { runProgramFile(path); });
}

void frmGraphic::buildPictures(QWidget* client) {
  auto makeView = [client](const char* name, Surface* surface) {
    auto* view = new SurfaceView(client);
    view->setObjectName(name);
    view->setGeometry(layout::picResult);
    view->setSurface(surface);
    return view;
  };
  picCalculate_ = makeView("picCalculate", &sim_.picCalculate);
  picCalculate_->hide();
  picResult_ = makeView("picResult", &sim_.picResult);
  picSave_ = makeView("picSave", &sim_.picSave);
  picSave_->hide();

  imgSelect_ = new SelectOverlay(magnifier_, client);
  imgSelect_->setObjectName("imgSelect");
  imgSelect_->setGeometry(picResult_->geometry());
  connect(imgSelect_, &SelectOverlay::released, this, &frmGraphic::selectionReleased);

  picZoom_ = makeView("picZoom", &sim_.picZoom);
  picZoom_->hide();
  connect(picZoom_, &SurfaceView::clicked, this, &frmGraphic::zoomClicked);

  picCommands_ = new QLabel(client);
  picCommands_->setObjectName("picCommands");
  picCommands_->setPixmap(QPixmap::fromImage(commandSheet_));
  picCommands_->setGeometry(0, 0, CommandSheetWidth, CommandSheetHeight);
  picCommands_->hide();
}

void frmGraphic::buildStatusPanel(QWidget* client) {
  Frame1_ = new QGroupBox(client);
  Frame1_->setObjectName("Frame1");
  // The panel reads as a table in the window's label size (narrow where the font has it); its
  // columns are as wide as their texts need.
  QFont narrow = client->font();
  narrow.setStretch(QFont::SemiCondensed);
  Frame1_->setFont(narrow);
  const StatusPanelLayout panel = MakeStatusPanelLayout(
      narrow,
      {MeasureUnitCaption, RadCompCaption, MaxSpeedCaption, MachineStatus::ConstantCaptionStart,
       MachineStatus::ConstantCuttingSpeedCaption, MachineStatus::ConstantSpindleSpeedCaption,
       FeedCaption},
      {"Millimeters", "0.25 mm/tr"});
  panelGrowth_ = panel.growth;
  Frame1_->setGeometry(panel.frame);
  const auto caption = [&](const char* name, const char* text, int row) {
    auto* label = new QLabel(text, Frame1_);
    label->setObjectName(name);
    label->setGeometry(panel.caption(row));
    return label;
  };
  const auto value = [&](const char* name, int row) {
    return addLabel(Frame1_, name, "", panel.value(row));
  };
  caption("lblMeasureUnit", MeasureUnitCaption, 0);
  lblMeasureUnitV_ = value("lblMeasureUnitV", 0);
  caption("lblRadComp", RadCompCaption, 1);
  lblRadCompV_ = value("lblRadCompV", 1);
  caption("lblMaxSpeed", MaxSpeedCaption, 2);
  lblMaxSpeedV_ = value("lblMaxSpeedV", 2);
  lblConstant_ = caption("lblConstant", MachineStatus::ConstantCaptionStart, 3);
  lblConstantV_ = value("lblConstantV", 3);
  caption("lblFeed", FeedCaption, 4);
  lblFeedV_ = value("lblFeedV", 4);

  lblNullPoint_ = addLabel(Frame1_, "lblNullPoint", "", panel.nullPoint);
  lblNullPoint_->setAlignment(Qt::AlignCenter);
  lblNullPoint_->setWordWrap(true);
  lblNullPoint_->setAutoFillBackground(true);
  QFont bold = narrow;
  bold.setBold(true);
  lblNullPoint_->setFont(bold);
  lblNullPoint_->hide();
}

void frmGraphic::buildButtons(QWidget* client) {
  static constexpr const char* ToolTips[3] = {"Draai richting", "Koelwater aan/uit",
                                              "Start simulatie"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new PictureButton(i, client);
    button->setObjectName(QString("picViewCommand%1").arg(i));
    button->setGeometry(movedRight(layout::picViewCommand[i], panelGrowth_));
    button->setToolTip(ToolTips[i]);
    connect(button, &PictureButton::clicked, this, &frmGraphic::picViewCommand_Click);
    picViewCommand_[static_cast<std::size_t>(i)] = button;
  }
  buildStepBackButton(client);
}

// A flat button as in a tool bar; it takes no focus, so that the left arrow key keeps
// working where the user is.
void frmGraphic::buildStepBackButton(QWidget* client) {
  cmdStapTerug_ = new QToolButton(client);
  cmdStapTerug_->setObjectName("cmdStapTerug");
  cmdStapTerug_->setGeometry(movedRight(layout::cmdStapTerug, panelGrowth_));
  cmdStapTerug_->setIcon(stepBackIcon());
  cmdStapTerug_->setIconSize(StepBackIconSize);
  cmdStapTerug_->setAutoRaise(true);
  cmdStapTerug_->setFocusPolicy(Qt::NoFocus);
  cmdStapTerug_->setText("Stap terug");
  cmdStapTerug_->setToolTip("Stap terug");
  cmdStapTerug_->setEnabled(false);
  connect(cmdStapTerug_, &QToolButton::clicked, this, &frmGraphic::mnuBewerkingStapTerug_Click);
}

void frmGraphic::buildScrollBars(QWidget* client) {
  addLabel(client, "lblZoomFactor", "Zoom factor", layout::lblZoomFactor);
  HScroll1_ = new QScrollBar(Qt::Horizontal, client);
  HScroll1_->setObjectName("HScroll1");
  HScroll1_->setGeometry(layout::HScroll1);
  HScroll1_->setRange(ViewState::ZoomValueMin, ViewState::ZoomValueMax);
  HScroll1_->setPageStep(ZoomPageStep);
  HScroll1_->setValue(ViewState::ZoomValueStart);
  lblZoom_ = addLabel(client, "lblZoom", "", layout::lblZoom);
  connect(HScroll1_, &QScrollBar::valueChanged, this, [this](int value) {
    sim_.setZoomValue(value);
    refreshScrollBars();
  });

  addLabel(client, "lblDrawSpeed", "Draw speed", layout::lblDrawSpeed);
  // The speed bar has its largest value (the longest pause) at the left end. Styles ignore
  // an inverted appearance of scroll bars, so the bar runs from right to left instead.
  HScroll2_ = new QScrollBar(Qt::Horizontal, client);
  HScroll2_->setObjectName("HScroll2");
  HScroll2_->setGeometry(layout::HScroll2);
  HScroll2_->setRange(ViewState::SpeedValueRight, ViewState::SpeedValueLeft);
  HScroll2_->setLayoutDirection(Qt::RightToLeft);
  HScroll2_->setPageStep(SpeedPageStep);
  HScroll2_->setValue(ViewState::SpeedValueStart);
  lblSpeed_ = addLabel(client, "lblSpeed", "", layout::lblSpeed);
  connect(HScroll2_, &QScrollBar::valueChanged, this, [this](int value) {
    sim_.setSpeedValue(value);
    refreshScrollBars();
  });
}

QAction* frmGraphic::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                                 void (frmGraphic::*slot)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void frmGraphic::buildMenus() {
  mnuBestand_ = menuBar()->addMenu("&Bestand");
  mnuBestand_->setObjectName("mnuBestand");
  mnuBestandOpenen_ = addMenuItem(mnuBestand_, "mnuBestandOpenen", "Openen ...",
                                  &frmGraphic::mnuBestandOpenen_Click);
  mnuBestand_->addSeparator();
  addEditorItem();
  mnuBestandSavePicture_ = addMenuItem(mnuBestand_, "mnuBestandSavePicture", "Figuur opslaan",
                                       &frmGraphic::mnuBestandSavePicture_Click);
  mnuBestand_->addSeparator();
  mnuBestandAfsluiten_ = addMenuItem(mnuBestand_, "mnuBestandAfsluiten", "Afsluiten",
                                     &frmGraphic::mnuBestandAfsluiten_Click);

  QMenu* simulatie = menuBar()->addMenu("&Simulatie");
  simulatie->setObjectName("mnuBewerking");
  mnuBewerkingStarten_ = addMenuItem(simulatie, "mnuBewerkingStarten", "Starten",
                                     &frmGraphic::mnuBewerkingStarten_Click);
  mnuBewerkingStoppen_ = addMenuItem(simulatie, "mnuBewerkingStoppen", "Stoppen",
                                     &frmGraphic::mnuBewerkingStoppen_Click);
  mnuBewerkingStoppen_->setShortcut(QKeySequence(Qt::Key_Escape));
  addStepBackItems(simulatie);
  simulatie->addSeparator();
  mnuBewerkingVernieuw_ = addMenuItem(simulatie, "mnuBewerkingVernieuw", "Vernieuw",
                                      &frmGraphic::mnuBewerkingVernieuw_Click);
  timeMenu_ = new MachiningTimeMenu(sim_, simulatie, this);
  workpieceMenu_ = new WorkpieceMenu(sim_, *this, simulatie, this);
  simulatie->addSeparator();
  mnuBewerkingOptioneel_ = addMenuItem(simulatie, "mnuBewerkingOptioneel", "Optionele stop",
                                       &frmGraphic::mnuBewerkingOptioneel_Click);
  mnuBewerkingOptioneel_->setCheckable(true);
  mnuBewerkingStap_ = addMenuItem(simulatie, "mnuBewerkingStap", "Stap voor stap",
                                  &frmGraphic::mnuBewerkingStap_Click);
  mnuBewerkingStap_->setCheckable(true);
}

// "Stap terug" (also the left arrow key in the list and the picture) and "Uitvoeren tot
// hier" (also the pop-up menu of the list, on the block under the mouse).
void frmGraphic::addStepBackItems(QMenu* simulatie) {
  mnuBewerkingStapTerug_ = addMenuItem(simulatie, "mnuBewerkingStapTerug", "Stap terug",
                                       &frmGraphic::mnuBewerkingStapTerug_Click);
  mnuBewerkingTotHier_ = addMenuItem(simulatie, "mnuBewerkingTotHier", "Uitvoeren tot hier",
                                     &frmGraphic::mnuBewerkingTotHier_Click);
  for (QWidget* widget : {static_cast<QWidget*>(lstCommands_), static_cast<QWidget*>(picResult_),
                          static_cast<QWidget*>(imgSelect_)}) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_Left), widget);
    key->setContext(Qt::WidgetShortcut);
    connect(key, &QShortcut::activated, this, &frmGraphic::mnuBewerkingStapTerug_Click);
  }
  picResult_->setFocusPolicy(Qt::ClickFocus);
  imgSelect_->setFocusPolicy(Qt::ClickFocus);

  mnuLijst_ = new QMenu(this);
  mnuLijst_->setObjectName("mnuLijst");
  mnuLijstTotHier_ = mnuLijst_->addAction("Uitvoeren tot hier");
  mnuLijstTotHier_->setObjectName("mnuLijstTotHier");
  lstCommands_->onChosen([this] { menusChanged(); });
  lstCommands_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lstCommands_, &QWidget::customContextMenuRequested, this, &frmGraphic::showListMenu);
}

void frmGraphic::showListMenu(const QPoint& at) {
  const int row = lstCommands_->indexAt(at).row();
  if (row < 0) return;
  lstCommands_->choose(row);
  mnuLijstTotHier_->setEnabled(sim_.canRunToHere());
  if (mnuLijst_->exec(lstCommands_->viewport()->mapToGlobal(at)) == mnuLijstTotHier_) {
    runToRow(row);
  }
}

// "Editor ..." opens the editor on the current program file; its "Afsluiten" ends the system.
void frmGraphic::addEditorItem() {
  auto* editor = new QAction("Editor ...", this);
  editor->setObjectName("mnuBestandEditor");
  connect(editor, &QAction::triggered, this,
          [this] { showEditor(this, currentFileName(), [this] { mnuBestandAfsluiten_Click(); }); });
  mnuBestand_->addAction(editor);
  mnuBestand_->addSeparator();
}


}  // namespace draivo
