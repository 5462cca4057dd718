// Start-up, menu and button handlers, selection and closing of the main window.
#include <QCloseEvent>
#include <QScrollBar>
#include <string>
#include <utility>

#include "app/ProgramListView.h"
#include "app/SelectOverlay.h"
#include "app/SurfaceView.h"
#include "app/frmGraphic.h"
#include "editor/frmNC_Editor.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "run/PictureExport.h"

namespace draivo {

bool frmGraphic::Form_Load(QSize screenSize) {
  const std::string resolution =
      std::to_string(screenSize.width()) + "x" + std::to_string(screenSize.height());
  if (resolution != ExpectedResolution) {
    const MessageAnswer answer = dialogs_.messageBox(this, "Set Screen Resolution At 1024x768",
                                                     "Draivo : Screen Resolution " + resolution,
                                                     MessageButtons::YesNo, MessageIcon::Question);
    if (answer == MessageAnswer::Yes) return false;
  }
  sim_.setSpeedValue(ViewState::SpeedValueStart);
  sim_.setZoomValue(ViewState::ZoomValueStart);
  sim_.view.ViewOriginZ = ViewState::ViewOriginZStart;
  sim_.view.ViewOriginX = ViewState::ViewOriginXStart;
  ResetView(sim_.picResult, sim_.view);
  // The selection layer lies exactly on the inner picture, so its pixels are picture pixels.
  imgSelect_->setGeometry(
      picResult_->geometry().adjusted(SurfaceView::BorderWidth, SurfaceView::BorderWidth,
                                      -SurfaceView::BorderWidth, -SurfaceView::BorderWidth));
  imgSelect_->raise();
  picZoom_->raise();
  Timer1_->start();
  refreshAll();
  return true;
}

void frmGraphic::Timer1_Timer() {
  Timer1_->stop();
  // A run begun within the first second shows its own indicators; the start-up images
  // would also release its Start.
  if (!sim_.run.RunBusy) sim_.startupTimer();
  refreshIndicators();
}

QString frmGraphic::pictureFolder() const {
  return pictureFolder_.isEmpty() ? ProgramFolder() : pictureFolder_;
}

template <typename Handler>
void frmGraphic::runHandler(Handler&& handler) {
  ++handlerDepth_;
  handler();
  --handlerDepth_;
  refreshAll();
  repaintPictures();
  if (handlerDepth_ > 0 || sim_.run.RunBusy) return;
  if (closePending_) {
    close();
  } else if (!nextProgram_.empty()) {
    runProgramFile(QString::fromStdString(std::exchange(nextProgram_, {})));
  }
}

void frmGraphic::mnuBestandOpenen_Click() {
  if (sim_.run.RunBusy) {
    chooseNextProgram();
    return;
  }
  runHandler([this] { sim_.Open(); });
}

void frmGraphic::chooseNextProgram() {
  std::string chosen = sim_.chooseProgramFile();
  if (chosen.empty() || !sim_.run.RunBusy) return;
  nextProgram_ = std::move(chosen);
  sim_.requestStop();
}

void frmGraphic::mnuBestandSavePicture_Click() {
  runHandler([this] {
    PictureExport exporter(sim_);
    exporter.onCoverChanged = [this](bool visible) { showCover(visible); };
    const PictureExportResult result = exporter.run(pictureFolder().toStdString());
    if (!closePending_) ReportPictureExport(*this, result);
  });
}

void frmGraphic::mnuBestandAfsluiten_Click() {
  close();
}

void frmGraphic::mnuBewerkingStarten_Click() {
  runHandler([this] { sim_.Starten(); });
}

void frmGraphic::mnuBewerkingStoppen_Click() {
  sim_.requestStop();
}

void frmGraphic::mnuBewerkingStapTerug_Click() {
  sim_.stepBack();  // the waiting run goes back as soon as this handler has returned
  menusChanged();
}

void frmGraphic::mnuBewerkingTotHier_Click() {
  runToRow(lstCommands_->chosenRow());
}

// A busy run takes the request up at its next gate; without one a run starts for it.
void frmGraphic::runToRow(int row) {
  notice_.clear();
  if (sim_.run.RunBusy) {
    sim_.runToHere(row);
    return;
  }
  runHandler([this, row] { sim_.runToHere(row); });
}

void frmGraphic::mnuBewerkingVernieuw_Click() {
  runHandler([this] { sim_.Vernieuw(); });
}

void frmGraphic::runProgramFile(const QString& path) {
  // A busy run keeps its file; the nested Open does nothing then.
  runHandler([this, path] { sim_.OpenFile(path.toStdString()); });
}

void frmGraphic::mnuBewerkingOptioneel_Click() {
  sim_.toggleOptionalStop();
  menusChanged();
}

void frmGraphic::mnuBewerkingStap_Click() {
  sim_.toggleStepMode();
  menusChanged();
}

void frmGraphic::picViewCommand_Click(int index) {
  runHandler([this, index] { sim_.startButtonClick(index); });
}

void frmGraphic::showCover(bool visible) {
  picSave_->setVisible(visible);
  if (visible) {
    picSave_->raise();
    imgSelect_->raise();
    picZoom_->raise();
    picSave_->repaint();
  } else {
    picResult_->repaint();
  }
}

void frmGraphic::selectionReleased() {
  if (magnifier_.mouseUp(sim_.picResult, sim_.picZoom)) {
    picZoom_->show();
    picZoom_->raise();
    picZoom_->update();
  }
}

void frmGraphic::zoomClicked() {
  magnifier_.zoomClick();
  picZoom_->hide();
}

// Closing during a run first ends the run: the close is refused until Open has returned,
// and carried out then.
void frmGraphic::closeEvent(QCloseEvent* event) {
  if (handlerDepth_ > 0 || sim_.run.RunBusy) {
    closePending_ = true;
    sim_.requestQuit();
    event->ignore();
    return;
  }
  // An open editor asks about its unsaved text first and may keep the system running.
  for (auto* editor : findChildren<frmNC_Editor*>(Qt::FindDirectChildrenOnly)) {
    if (!editor->close()) {
      event->ignore();
      return;
    }
  }
  Timer1_->stop();
  repaintTimer_.stop();
  event->accept();
  emit closing();
}

}  // namespace draivo
