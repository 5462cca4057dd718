// The Host side of the main window: waits, dialogs and showing the state of the core.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <optional>
#include <utility>

#include "app/CommandSheet.h"
#include "app/FitText.h"
#include "app/MachiningTimeMenu.h"
#include "app/PictureButton.h"
#include "app/ProgramListView.h"
#include "app/SurfaceView.h"
#include "app/frmGraphic.h"
#include "platform/Dialogs.h"

namespace draivo {

void frmGraphic::processEvents() {
  wait_.processEvents();
}

void frmGraphic::waitForEvents(int maxMilliseconds) {
  catchUp();
  wait_.waitForEvents(maxMilliseconds);
}

std::uint64_t frmGraphic::tickCount() {
  return wait_.tickCount();
}

MessageAnswer frmGraphic::messageBox(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon) {
  catchUp();
  return dialogs_.messageBox(this, text, title, buttons, icon);
}

std::string frmGraphic::openFileDialog(const std::string& title, const std::string& filter) {
  return dialogs_.openFileName(this, title, filter, sim_.dialogFileName);
}

bool frmGraphic::directChecked() {
  return ChkDirect_ && ChkDirect_->isChecked();
}

// At full speed the list and the labels follow the run at the pace of the picture; a run that
// pauses after every pixel shows every block, and every wait shows the latest state first.
void frmGraphic::programListChanged() {
  if (built_) showSoon(pending_.list);
}

void frmGraphic::labelsChanged() {
  if (built_) showSoon(pending_.labels);
}

void frmGraphic::showSoon(bool& part) {
  part = true;
  if (sim_.view.DrawDelay > 0) {
    showPending();
    return;
  }
  repaintSoon();
}

// At full speed the notices come for every block and every pixel, far more often than a
// screen can follow: they only start the repaint timer, which the run's event handling fires.
void frmGraphic::repaintSoon() {
  if (!repaintTimer_.isActive()) repaintTimer_.start(RepaintIntervalMs);
}

void frmGraphic::showPending() {
  if (pending_.list) {
    pending_.list = false;
    refreshList();
  }
  if (pending_.labels) {
    pending_.labels = false;
    refreshLabels();
    refreshScrollBars();
  }
}

// Whenever the run waits or asks, the window shows everything the run has done so far: a move
// drawn at once (a rapid, or any move with "Direct") tells the window nothing by itself.
void frmGraphic::catchUp() {
  if (sim_.picResult.revision() != shownPicture_) {
    repaintPictures();
  } else {
    showPending();
  }
}

void frmGraphic::indicatorsChanged() {
  if (built_) refreshIndicators();
}

void frmGraphic::captionChanged() {
  if (built_) setWindowTitle(QString::fromStdString(sim_.caption));
}

void frmGraphic::runNotice(const std::string& message) {
  notice_ = QString::fromStdString(message);
}

void frmGraphic::menusChanged() {
  if (!built_) return;
  const MenuState& m = sim_.menus;
  mnuBewerkingStarten_->setEnabled(m.startenEnabled);
  mnuBewerkingStoppen_->setEnabled(m.startenEnabled);  // both belong to a run in progress
  mnuBewerkingVernieuw_->setEnabled(m.vernieuwEnabled);
  mnuBewerkingStapTerug_->setEnabled(sim_.canStepBack());
  cmdStapTerug_->setEnabled(sim_.canStepBack());
  mnuBewerkingTotHier_->setEnabled(sim_.canRunToHere() && lstCommands_->chosenRow() >= 0);
  timeMenu_->refresh();
  mnuBestandSavePicture_->setEnabled(m.figuurOpslaanEnabled);
  mnuBewerkingOptioneel_->setChecked(m.optioneelChecked);
  mnuBewerkingStap_->setChecked(m.stapChecked);
  picViewCommand_[2]->setEnabled(m.startButtonEnabled);
}

// With a pause after every pixel each pixel is shown before its pause; at full speed the
// picture is shown once per repaint interval.
void frmGraphic::pictureChanged() {
  if (!built_) return;
  if (sim_.view.DrawDelay > 0) {
    repaintPictures();
    return;
  }
  repaintSoon();
}

void frmGraphic::repaintPictures() {
  showPending();
  repaintTimer_.stop();
  shownPicture_ = sim_.picResult.revision();
  picResult_->repaintChanges();
  if (picSave_->isVisible()) picSave_->repaintChanges();
}

void frmGraphic::refreshAll() {
  if (!built_) return;
  pending_ = {};
  refreshList();
  refreshLabels();
  refreshScrollBars();
  refreshIndicators();
  captionChanged();
  menusChanged();
  picResult_->update();
}

void frmGraphic::refreshList() {
  lstCommands_->follow();
}

void frmGraphic::refreshLabels() {
  const MachineStatus& s = sim_.status;
  const std::pair<QLabel*, const std::string*> values[] = {
      {lblMeasureUnitV_, &s.lblMeasureUnitV}, {lblRadCompV_, &s.lblRadCompV},
      {lblMaxSpeedV_, &s.lblMaxSpeedV},       {lblConstantV_, &s.lblConstantV},
      {lblFeedV_, &s.lblFeedV}};
  for (const auto& [label, text] : values) {
    const QString shown = QString::fromStdString(*text);
    if (label->text() != shown) setFittedText(label, shown);
  }
  lblConstant_->setText(QString::fromStdString(s.lblConstant));  // the panel font fits it
  // A notice of "Uitvoeren tot hier" stays over the panel while the run holds at its block.
  if (!sim_.holdsAtTarget() && !sim_.runsToBlock()) notice_.clear();
  const bool visible = s.nullPointVisible || !notice_.isEmpty();
  lblNullPoint_->setText(s.nullPointVisible ? QString::fromStdString(s.lblNullPoint) : notice_);
  if (lblNullPoint_->isVisibleTo(this) != visible) {
    lblNullPoint_->setVisible(visible);
    if (visible) lblNullPoint_->raise();
  }
}

void frmGraphic::refreshScrollBars() {
  const ViewState& v = sim_.view;
  {
    const QSignalBlocker zoomBlocker(HScroll1_);
    const QSignalBlocker speedBlocker(HScroll2_);
    HScroll1_->setValue(v.zoomValue);
    HScroll2_->setValue(v.speedValue);
  }
  lblZoom_->setText(QString::fromStdString(v.zoomLabel()));
  lblSpeed_->setText(QString::fromStdString(v.speedLabel()));
}

// Indicators are announced at every block; a button is cut and painted only when its image
// changes (a repaint also paints everything else that waits, such as the program list).
void frmGraphic::refreshIndicators() {
  const Indicators& now = sim_.indicators;
  const std::optional<Indicators> before = std::exchange(shownIndicators_, now);
  if (!before || before->spindle != now.spindle) {
    showIndicator(0, cellOf(now.spindle), cellOf(now.spindle).size);
  }
  if (!before || before->coolant != now.coolant) {
    showIndicator(1, cellOf(now.coolant), cellOf(now.coolant).size);
  }
  if (!before || before->start != now.start) showIndicator(2, cellOf(now.start), StartButtonSize);
}

void frmGraphic::showIndicator(std::size_t index, ImageCell cell, int size) {
  picViewCommand_[index]->setImage(cutCommandImage(commandSheet_, cell, size));
  picViewCommand_[index]->repaint();
}

}  // namespace draivo
