#include <ctime>
#include <numeric>

#include "MainWindowFixture.h"
#include "app/CommandSheet.h"
#include "app/PictureButton.h"
#include "platform/SurfaceImage.h"
#include "render/ViewState.h"
#include "run/ProgramFileCheck.h"
#include "support/DataTable.h"

namespace draivo::test {
namespace {

// Pixels of the picture that a freshly cleared view with its axis cross does not have.
int drawnPixels(const Surface& picture) {
  Surface fresh;
  ViewState view;
  ResetView(fresh, view);
  return std::inner_product(picture.pixels().begin(), picture.pixels().end(),
                            fresh.pixels().begin(), 0, std::plus<>(), std::not_equal_to<>());
}

// Whether the picture button shows that cell of the command sheet.
bool shows(const PictureButton* button, ImageCell cell, int size = StartButtonSize) {
  return button->image() == cutCommandImage(drawCommandSheet(), cell, size);
}

// Before a run only "Openen ..." is offered; the gate waits asleep, and afterwards the list
// shows the program with the first block selected.
TEST_F(MainWindowTest, OpenedProgramWaitsForStartAndRunsToItsEnd) {
  const auto items = [this] {
    return enabled({"mnuBewerkingStarten", "mnuBewerkingStoppen", "mnuBewerkingVernieuw",
                    "mnuBestandSavePicture", "mnuBewerkingBewerkingstijd"});
  };
  EXPECT_EQ(items(), (std::vector<bool>{false, false, false, false, false}));
  QElapsedTimer waiting;
  std::clock_t cpuAtStart = 0;
  double cpuSeconds = -1;
  openAndRun(writeProgram("shaft.nc", Shaft), [&] {
    if (!waiting.isValid()) {
      waiting.start();
      cpuAtStart = std::clock();
      EXPECT_EQ(items(), (std::vector<bool>{true, true, false, false, false}));
      EXPECT_EQ(window->windowTitle(), "Draivo O0012.nc");
    }
    if (waiting.elapsed() < 1000) return;
    if (cpuSeconds < 0) cpuSeconds = double(std::clock() - cpuAtStart) / CLOCKS_PER_SEC;
    clickStart();
  });
  EXPECT_EQ(dialogs.openDialogs.size(), 1u);
  EXPECT_EQ(dialogs.openDialogs[0].title, "Bestand openen");
  EXPECT_GE(cpuSeconds, 0.0);
  EXPECT_LT(cpuSeconds, 0.5);
  EXPECT_EQ(items(), (std::vector<bool>{false, false, true, true, true}));
  auto* list = find<QListView>("lstCommands");
  ASSERT_EQ(list->model()->rowCount(), 7);
  EXPECT_EQ(list->model()->index(3, 0).data().toString(), "N30 G01 Z-30 F0.2 ;");
  EXPECT_EQ(list->currentIndex().row(), 0);  // the run ended with M30
  EXPECT_GT(drawnPixels(sim().picResult), 100);
}

// "Openen ..." while a program waits asks for the next one: cancelled, or given a file that
// is no program, it leaves the run going; a program chosen ends the run and waits for Start.
TEST_F(MainWindowTest, OpenDuringARunOpensTheChosenProgramInstead) {
  const std::string next = writeProgram("next.nc", ":0013 ;\nG00 X10 Z5 ;\nG01 Z-5 F0.2 ;\n");
  const std::string png = (DataFolder() / "program_files" / "picture.png").string();
  std::vector<std::string> titles;
  openAndRun(writeProgram("shaft.nc", Shaft), [&] {
    titles.push_back(window->windowTitle().toStdString());
    if (titles.size() > 1) return clickStart();
    dialogs.openAnswers = {"", png, next};
    for (int i = 0; i < 3; ++i) action("mnuBestandOpenen")->trigger();
  });
  EXPECT_EQ(titles, (std::vector<std::string>{"Draivo O0012.nc", "Draivo O0013.nc"}));
  EXPECT_EQ(dialogs.openDialogs.size(), 4u);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, NotAProgramMessage(png));
  EXPECT_EQ(sim().dialogFileName, next);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
  EXPECT_EQ(find<QListView>("lstCommands")->model()->rowCount(), 3);
}

struct EndCase {
  const char* name;
  const char* how;  // "Esc", a menu item, "close" (the window) or "Esc close"
  int gate;         // ends the run at this gate (above 1 in step mode); 0: while drawing slowly
};

class EndDuringRun : public MainWindowTest, public ::testing::WithParamInterface<EndCase> {};

// "Stoppen" and Esc end a run at once where it waits, at a gate or while a move is drawn
// slowly: the picture stays as drawn, the start button shows idle, "Vernieuw" and "Figuur
// opslaan" are offered and "Openen ..." runs the next program. Closing the window or
// "Afsluiten" ends the run as promptly and then closes the window.
TEST_P(EndDuringRun, EndsTheRunWhereItWaits) {
  const EndCase& c = GetParam();
  const std::string how = c.how;
  const bool closes = how.ends_with("close") || how == "mnuBestandAfsluiten";
  find<QScrollBar>("HScroll2")->setValue(c.gate == 0 ? 20 : 0);
  if (c.gate > 1) action("mnuBewerkingStap")->trigger();
  QElapsedTimer sinceEnd;
  QImage atEnd;
  const auto end = [&] {
    atEnd = toQImage(sim().picResult);
    sinceEnd.start();
    if (how.starts_with("Esc")) QTest::keyClick(window.get(), Qt::Key_Escape);
    if (how.ends_with("close")) window->close();
    if (how.starts_with("mnu")) action(c.how)->trigger();
  };
  openAndRun(writeProgram("shaft.nc", Shaft), [&] {
    if (sinceEnd.isValid()) return;
    if (int(gateStops.size()) == c.gate) return end();
    clickStart();
    if (c.gate == 0) QTimer::singleShot(300, end);
  });
  ASSERT_TRUE(sinceEnd.isValid());
  EXPECT_LT(sinceEnd.elapsed(), closes ? 3000 : 1000);
  EXPECT_EQ(sim().lastOutcome, closes ? RunOutcome::Aborted : RunOutcome::StoppedByUser);
  EXPECT_EQ(window->isVisible(), !closes);
  if (closes) return;
  EXPECT_FALSE(sim().run.RunBusy);
  EXPECT_GT(drawnPixels(sim().picResult), 10);
  EXPECT_TRUE(toQImage(sim().picResult) == atEnd);
  EXPECT_TRUE(shows(find<PictureButton>("picViewCommand2"), cellOf(StartImage::Idle)));
  EXPECT_EQ(enabled({"mnuBewerkingStoppen", "mnuBewerkingStarten", "mnuBewerkingVernieuw",
                     "mnuBestandSavePicture"}),
            (std::vector<bool>{false, false, true, true}));
  EXPECT_FALSE(find("lblNullPoint")->isVisible());

  if (c.gate > 1) action("mnuBewerkingStap")->trigger();
  find<QScrollBar>("HScroll2")->setValue(0);
  gateStops.clear();
  openAndRun(writeProgram("next.nc", "G00 X10 Z5 ;\nG01 Z-5 F0.2 ;\n"));
  EXPECT_EQ(gateStops, std::vector<int>{0});
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ways, EndDuringRun, ::testing::Values(
    EndCase{"EscapeAtAGateInStepMode", "Esc", 4},
    EndCase{"MenuWhileDrawingSlowly", "mnuBewerkingStoppen", 0},
    EndCase{"EscapeWhileDrawingSlowly", "Esc", 0},
    EndCase{"CloseAtTheFirstGate", "close", 1},
    EndCase{"EscapeAndCloseAtTheFirstGate", "Esc close", 1},
    EndCase{"AfsluitenWhileDrawingSlowly", "mnuBestandAfsluiten", 0}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });
// clang-format on

struct WaitCase {
  const char* name;
  const char* program;
  int speedValue;  // the pause per pixel in milliseconds
  bool direct, stepMode, optionalStop;
  std::vector<int> stops;  // ListIndex at every wait for Start
};

class EveryWait : public MainWindowTest, public ::testing::WithParamInterface<WaitCase> {
 protected:
  // Notes the moment when the window, as painted on the screen now, lags behind the picture.
  void checkScreen(const std::string& moment) {
    QWidget* view = find("picResult");
    const QRect inner = view->contentsRect().translated(view->mapTo(window.get(), QPoint()));
    const QImage shown =
        window->screen()
            ->grabWindow(window->winId(), inner.x(), inner.y(), inner.width(), inner.height())
            .toImage();
    if (shown.convertToFormat(QImage::Format_RGB32) != toQImage(sim().picResult)) {
      behind.push_back(moment);
    }
  }

  std::vector<std::string> behind;
};

// At every wait the list shows the block the run stands on, whatever the user clicked, and the
// screen shows the whole picture drawn so far: at the gate, under a message box and during the
// end message.
TEST_P(EveryWait, ShowsTheBlockAndTheWholePicture) {
  const WaitCase& c = GetParam();
  find<QScrollBar>("HScroll2")->setValue(c.speedValue);
  find<QCheckBox>("ChkDirect")->setChecked(c.direct);
  if (c.stepMode) action("mnuBewerkingStap")->trigger();
  if (c.optionalStop) action("mnuBewerkingOptioneel")->trigger();
  dialogs.onMessage = [this](const ScriptedDialogs::Shown& m) { checkScreen("box " + m.title); };
  bool endShown = false;
  QTimer endMessage;
  QObject::connect(&endMessage, &QTimer::timeout, [&] {
    if (endShown || !find("lblNullPoint")->isVisible()) return;
    endShown = true;
    checkScreen("end message");
  });
  endMessage.start(5);
  auto* list = find<QListView>("lstCommands");
  std::vector<int> shownRows;
  openAndRun(writeProgram("wait.nc", c.program), [&] {
    checkScreen("gate " + std::to_string(sim().lstCommands.ListIndex()));
    list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 0));
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    shownRows.push_back(selected.size() == 1 ? selected.front().row() : -1);
    clickStart();
  });
  EXPECT_EQ(gateStops, c.stops);
  EXPECT_EQ(shownRows, c.stops);
  EXPECT_TRUE(endShown);
  EXPECT_FALSE(find("lblNullPoint")->isVisible());
  EXPECT_EQ(behind, std::vector<std::string>{});
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
}

constexpr const char* Moves =
    "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\nG00 X80 Z10 ;\nG00 X60 ;\nG01 Z-5 ;\nG00 X90 Z20 ;\n";
constexpr const char* WithM01 =
    "G00 X40 Z2 M03 ;\nG01 Z-10 F0.2 ;\nG00 X60 Z5 ;\nM01 ;\nG00 X80 ;\n";
constexpr const char* Thread = "G00 X30 Z5 ;\nG32 Z-20 F1.5 ;\nG00 X40 ;\nG00 Z5 ;\n";
constexpr const char* Missing = "G00 X40 Z2 ;\nM98 P1234 ;\nG00 X80 Z10 ;\n";
const std::vector<int> EveryBlock{0, 1, 2, 3, 4, 5};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, EveryWait, ::testing::Values(
    WaitCase{"StepMode", Moves, 5, false, true, false, EveryBlock},
    WaitCase{"StepModeDirect", Moves, 5, true, true, false, EveryBlock},
    WaitCase{"StepModeFullSpeedDirect", Moves, 0, true, true, false, EveryBlock},
    WaitCase{"SlowestDirect", Moves, 20, true, false, false, {0}},
    WaitCase{"ThreadBlockRunsThrough", Thread, 0, true, true, false, {0, 1, 3}},
    WaitCase{"OptionalStop", WithM01, 5, false, false, true, {0, 3}},
    WaitCase{"OptionalStopOff", WithM01, 5, false, false, false, {0}},
    WaitCase{"MessageBox", Missing, 5, false, false, false, {0}}),
    [](const ::testing::TestParamInfo<WaitCase>& info) { return std::string(info.param.name); });
// clang-format on

// The window shows every control whole. The status panel reads as one table in the window's
// label size: the captions in one column, each ending before the column of the values, every
// value whole in its place; the panel, the picture buttons, the list and the scroll bars do
// not overlap. A long block is shown as written and cut at the list's edge: the visible part
// of its row is what a list wide enough for the whole block shows there. The window cannot be
// made so small that a control is cut off: at its smallest every control lies wholly in the
// client area (the design text lies beyond its right edge on purpose and comes into view when
// the window is widened).
TEST_F(MainWindowTest, WindowShowsEveryControlWhole) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(
      writeProgram("l.nc", "(" + std::string(70, 'H') +
                               ")\nG21 G42 ;\nG50 S2500 ;\nG96 S180 ;\nG99 F0.25 ;\nG00 X40 ;\n"));
  EXPECT_EQ(find<QLabel>("lblConstant")->text(), "Constant snijsnelheid :");
  const int labelSize = find("clientArea")->font().pixelSize();
  for (const char* label : {"lblZoomFactor", "lblMeasureUnit"}) {
    EXPECT_EQ(find(label)->font().pixelSize(), labelSize) << label;
  }
  const std::pair<std::string, QString> rows[] = {{"lblMeasureUnit", "Millimeters"},
                                                  {"lblRadComp", "Rechts"},
                                                  {"lblMaxSpeed", "2500"},
                                                  {"lblConstant", "180"},
                                                  {"lblFeed", "0.25 mm/tr"}};
  for (const auto& [name, value] : rows) {
    const auto* caption = find<QLabel>(name.c_str());
    const auto* shown = find<QLabel>((name + "V").c_str());
    EXPECT_EQ(shown->text(), value);
    EXPECT_EQ(shown->font().pixelSize(), labelSize) << name;
    EXPECT_EQ(caption->font(), find("lblMeasureUnit")->font()) << name;
    EXPECT_LT(caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()), shown->x());
    EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), shown->contentsRect().width())
        << name;
    EXPECT_EQ(shown->x(), find("lblMeasureUnitV")->x()) << name;
    EXPECT_LE(shown->geometry().right(), find("Frame1")->contentsRect().right()) << name;
  }
  const char* strip[] = {"Frame1",      "picViewCommand0", "picViewCommand1",
                         "lstCommands", "HScroll1",        "picViewCommand2"};
  for (const char* left : strip) {
    for (const char* right : strip) {
      EXPECT_TRUE(left == right || !find(left)->geometry().intersects(find(right)->geometry()))
          << left << " " << right;
    }
  }

  window->resize(300, 200);
  settle();
  QWidget* client = find("clientArea");
  EXPECT_GE(client->width(), 725);
  EXPECT_GE(client->height(), 539);
  for (QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!control->isVisibleTo(client) || control->objectName() == "RichTextBox1") continue;
    EXPECT_TRUE(client->rect().contains(control->geometry()))
        << control->objectName().toStdString();
  }

  auto* list = find<QListView>("lstCommands");
  const QRect row = list->visualRect(list->model()->index(0, 0)) & list->viewport()->rect();
  const QImage narrow = list->viewport()->grab(row).toImage();
  list->resize(3000, list->height());
  EXPECT_FALSE(row.isEmpty());
  EXPECT_TRUE(narrow == list->viewport()->grab(row).toImage());
}

// A program without M30 in step mode, released with "Starten": the picture buttons show the
// spindle and the waiting start. Afterwards the start button is idle, so that
// "Vernieuw" waits again, and a click on it runs the program once more without waiting.
TEST_F(MainWindowTest, StartenVernieuwAndTheStartButtonRunAgain) {
  auto* start = find<PictureButton>("picViewCommand2");
  action("mnuBewerkingStap")->trigger();
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("m.nc", "M03 ;\nM08 ;\nG00 X40 Z2 ;\nG01 Z-30 F0.2 ;\n"), [&] {
    if (gateStops.size() == 3) {
      EXPECT_TRUE(
          shows(find<PictureButton>("picViewCommand0"), cellOf(SpindleImage::RunningM03), 47));
      EXPECT_TRUE(shows(start, cellOf(StartImage::Step)));
    }
    action("mnuBewerkingStarten")->trigger();
  });
  EXPECT_EQ(gateStops, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(shows(start, cellOf(StartImage::Idle)));
  action("mnuBewerkingStap")->trigger();
  gateStops.clear();
  drive([this] { action("mnuBewerkingVernieuw")->trigger(); });
  EXPECT_EQ(gateStops, std::vector<int>{0});
  EXPECT_EQ(dialogs.openDialogs.size(), 1u);
  gateStops.clear();
  sim().picResult.clear();
  drive([this] { clickStart(); });
  EXPECT_TRUE(gateStops.empty());
  EXPECT_GT(drawnPixels(sim().picResult), 100);
  EXPECT_TRUE(shows(start, cellOf(StartImage::Idle)));
}

TEST_F(MainWindowTest, WithAPauseEveryPixelIsShownBeforeIt) {
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      paints += event->type() == QEvent::Paint;
      return false;
    }
  } counter;
  find<QScrollBar>("HScroll2")->setValue(1);
  find("picResult")->installEventFilter(&counter);
  // A feed move of 12 mm: 41 pixels at zoom 3.4, each followed by a pause of 1 ms.
  openAndRun(writeProgram("feed.nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n"));
  find("picResult")->removeEventFilter(&counter);
  EXPECT_GE(counter.paints, 41);
}

}  // namespace
}  // namespace draivo::test
