#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/EventWait.h"
#include "render/Magnifier.h"
#include "run/Host.h"
#include "run/Simulator.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QScrollBar;
class QTextEdit;
class QToolButton;

namespace draivo {

class DesignController;
class Dialogs;
class MachiningTimeMenu;
class WorkpieceMenu;
class PictureButton;
class ProgramListView;
class SelectOverlay;
class SurfaceView;

// The main window: the view, the program list, the status panel, the picture buttons and the
// menus around the core simulator, which reaches the window through the Host interface.
class frmGraphic : public QMainWindow, public Host {
  Q_OBJECT

 public:
  static constexpr const char* ExpectedResolution = "1024x768";
  static constexpr int StartupTimerMs = 1000;
  static constexpr int RepaintIntervalMs = 16;

  explicit frmGraphic(Dialogs& dialogs, QWidget* parent = nullptr);
  ~frmGraphic() override;

  // Form load: the screen resolution question, scroll bars, view, selection layer and
  // Timer1. Returns false when the user chose to end the program.
  bool Form_Load(QSize screenSize);

  Simulator& simulator() { return sim_; }
  Dialogs& dialogs() { return dialogs_; }
  Magnifier& magnifier() { return magnifier_; }
  QTextEdit* designText() const { return RichTextBox1_; }
  DesignController* design() const { return design_; }
  QMenu* bestandMenu() const { return mnuBestand_; }

  // The folder the picture export writes to; the program folder by default.
  void setPictureFolder(const QString& folder) { pictureFolder_ = folder; }
  QString pictureFolder() const;

  // The file name of the common dialog: the current program file ("Editor ..." opens it).
  QString currentFileName() const { return QString::fromStdString(sim_.dialogFileName); }
  // Opens the file as if it had been chosen in the open dialog: it becomes the current
  // program file unless it is refused (design mode's "Simulatie", a file named on the
  // command line, a program chosen during a run).
  void runProgramFile(const QString& path);

  // The window was asked to close during a run and closes once the run has ended.
  bool closePending() const { return closePending_; }

  // Host
  void processEvents() override;
  void waitForEvents(int maxMilliseconds) override;
  std::uint64_t tickCount() override;
  MessageAnswer messageBox(const std::string& text, const std::string& title,
                           MessageButtons buttons, MessageIcon icon) override;
  std::string openFileDialog(const std::string& title, const std::string& filter) override;
  bool directChecked() override;
  void programListChanged() override;
  void labelsChanged() override;
  void indicatorsChanged() override;
  void captionChanged() override;
  void menusChanged() override;
  void pictureChanged() override;
  void runNotice(const std::string& message) override;

 signals:
  // The window closes: the windows it owns close with it.
  void closing();

 public slots:
  void mnuBestandOpenen_Click();
  void mnuBestandSavePicture_Click();
  void mnuBestandAfsluiten_Click();
  void mnuBewerkingStarten_Click();
  void mnuBewerkingStoppen_Click();
  void mnuBewerkingStapTerug_Click();
  // "Uitvoeren tot hier" on the block the user chose in the list (clicked, reached with the
  // arrow keys or right-clicked).
  void mnuBewerkingTotHier_Click();
  void runToRow(int row);
  void mnuBewerkingVernieuw_Click();
  void mnuBewerkingOptioneel_Click();
  void mnuBewerkingStap_Click();
  void picViewCommand_Click(int index);
  void Timer1_Timer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void buildPictures(QWidget* client);
  void buildStatusPanel(QWidget* client);
  void buildButtons(QWidget* client);
  void buildScrollBars(QWidget* client);
  void buildMenus();
  void addEditorItem();
  void addStepBackItems(QMenu* simulatie);
  void buildStepBackButton(QWidget* client);
  void showListMenu(const QPoint& at);
  QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                       void (frmGraphic::*slot)());

  // Runs a handler that may hold a whole run, then shows the state it left and closes the
  // window when a close was asked for during the run, or opens the program chosen during it.
  template <typename Handler>
  void runHandler(Handler&& handler);
  // "Openen ..." while a program waits or runs: a chosen program ends the run at its next
  // wait and is opened after it; a cancelled dialog or a refused file leave the run going.
  void chooseNextProgram();

  void refreshAll();
  void refreshList();
  // Marks a part of the window as behind the run and shows it now or within a repaint interval.
  void showSoon(bool& part);
  void showPending();
  // Shows the window as the run left it within a repaint interval.
  void repaintSoon();
  // Shows the picture, the list and the labels as the run left them.
  void catchUp();
  void refreshLabels();
  void refreshScrollBars();
  void refreshIndicators();
  void showIndicator(std::size_t index, ImageCell cell, int size);
  void repaintPictures();
  void showCover(bool visible);
  void selectionReleased();
  void zoomClicked();

  Dialogs& dialogs_;
  EventWait wait_;
  Simulator sim_;
  Magnifier magnifier_;
  QImage commandSheet_;
  std::optional<Indicators> shownIndicators_;  // what the picture buttons show
  QString pictureFolder_;
  bool built_ = false;
  int panelGrowth_ = 0;  // the status panel is this much wider than the layout's place
  bool closePending_ = false;
  std::string nextProgram_;  // chosen during a run, opened once it has ended
  int handlerDepth_ = 0;

  std::uint64_t shownPicture_ = ~std::uint64_t{0};  // revision of picResult last painted
  struct Pending {  // parts of the window that show an older state of the run
    bool list = false;
    bool labels = false;
  } pending_;
  QTimer repaintTimer_;
  QTimer* Timer1_ = nullptr;  // one shot, a second after start-up

  QMenu* mnuBestand_ = nullptr;
  QAction* mnuBestandOpenen_ = nullptr;
  QAction* mnuBestandSavePicture_ = nullptr;
  QAction* mnuBestandAfsluiten_ = nullptr;
  QAction* mnuBewerkingStarten_ = nullptr;
  QAction* mnuBewerkingStoppen_ = nullptr;
  QAction* mnuBewerkingStapTerug_ = nullptr;
  QAction* mnuBewerkingTotHier_ = nullptr;
  QAction* mnuLijstTotHier_ = nullptr;  // the pop-up menu of lstCommands
  QToolButton* cmdStapTerug_ = nullptr;  // beside the start button
  QMenu* mnuLijst_ = nullptr;
  QString notice_;  // a message a run to a block did not show as a box
  QAction* mnuBewerkingVernieuw_ = nullptr;
  QAction* mnuBewerkingOptioneel_ = nullptr;
  QAction* mnuBewerkingStap_ = nullptr;
  MachiningTimeMenu* timeMenu_ = nullptr;  // "Bewerkingstijd ..."
  WorkpieceMenu* workpieceMenu_ = nullptr;  // "Werkstuk ...", "Waarschuwingen ..."

  SurfaceView* picResult_ = nullptr;
  SurfaceView* picCalculate_ = nullptr;
  SurfaceView* picSave_ = nullptr;
  SurfaceView* picZoom_ = nullptr;
  SelectOverlay* imgSelect_ = nullptr;
  QLabel* picCommands_ = nullptr;
  std::array<PictureButton*, 3> picViewCommand_{};
  ProgramListView* lstCommands_ = nullptr;
  QListWidget* lstAutomatic_ = nullptr;
  QGroupBox* Frame1_ = nullptr;
  QLabel* lblMeasureUnitV_ = nullptr;
  QLabel* lblRadCompV_ = nullptr;
  QLabel* lblMaxSpeedV_ = nullptr;
  QLabel* lblConstant_ = nullptr;
  QLabel* lblConstantV_ = nullptr;
  QLabel* lblFeedV_ = nullptr;
  QLabel* lblNullPoint_ = nullptr;
  QScrollBar* HScroll1_ = nullptr;
  QScrollBar* HScroll2_ = nullptr;
  QLabel* lblZoom_ = nullptr;
  QLabel* lblSpeed_ = nullptr;
  QCheckBox* ChkDirect_ = nullptr;
  QTextEdit* RichTextBox1_ = nullptr;
  DesignController* design_ = nullptr;
};

}  // namespace draivo
