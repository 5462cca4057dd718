#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QTimer>
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "render/Colour.h"
#include "render/Surface.h"
#include "render/ViewState.h"

namespace draivo::test {
namespace {

constexpr const char* Shaft =
    ":0012 ;\n"
    "N10 G21 G99 ;\n"
    "N20 G00 X40 Z2 ;\n"
    "N30 G01 Z-30 F0.2 ;\n"
    "N40 G01 X60 Z-40 ;\n"
    "N50 G00 X100 Z50 ;\n"
    "N60 M30 ;\n";

// Pixels of the picture that a freshly cleared view with its axis cross does not have.
int drawnPixels(const Surface& picture) {
  Surface fresh;
  ViewState view;
  ResetView(fresh, view);
  int count = 0;
  for (std::size_t i = 0; i < picture.pixels().size(); ++i)
    if (picture.pixels()[i] != fresh.pixels()[i]) ++count;
  return count;
}

TEST_F(MainWindowTest, OpenedProgramWaitsForStartAndRunsToItsEnd) {
  bool startenDuringRun = false;
  bool vernieuwDuringRun = true;
  std::string captionDuringRun;
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [&] {
          startenDuringRun = action("mnuBewerkingStarten")->isEnabled();
          vernieuwDuringRun = action("mnuBewerkingVernieuw")->isEnabled();
          captionDuringRun = window->windowTitle().toStdString();
          clickStart();
        });

  ASSERT_EQ(dialogs.openDialogs.size(), 1u);
  EXPECT_EQ(dialogs.openDialogs[0].title, "Bestand openen");
  EXPECT_EQ(dialogs.openDialogs[0].filter, Simulator::OpenDialogFilter);
  EXPECT_EQ(gateStops, std::vector<int>{0});
  EXPECT_TRUE(startenDuringRun);
  EXPECT_FALSE(vernieuwDuringRun);
  EXPECT_EQ(captionDuringRun, "Draivo O0012.nc");

  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
  EXPECT_EQ(window->windowTitle(), "Draivo O0012.nc");
  EXPECT_FALSE(action("mnuBewerkingStarten")->isEnabled());
  EXPECT_TRUE(action("mnuBewerkingVernieuw")->isEnabled());
  EXPECT_TRUE(action("mnuBestandSavePicture")->isEnabled());
  EXPECT_FALSE(find("lblNullPoint")->isVisible());

  auto* list = find<QListView>("lstCommands");
  ASSERT_EQ(list->model()->rowCount(), 7);
  EXPECT_EQ(list->model()->index(3, 0).data().toString(), "N30 G01 Z-30 F0.2 ;");
  EXPECT_EQ(list->currentIndex().row(), 0);  // the run ended with M30
  EXPECT_GT(drawnPixels(sim().picResult), 100);
}

TEST_F(MainWindowTest, EndMessageIsShownForTwoSeconds) {
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  QElapsedTimer shown;
  qint64 visibleFor = -1;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* label = find<QLabel>("lblNullPoint");
    if (label->isVisible() && !shown.isValid()) {
      shown.start();
      EXPECT_EQ(label->text(), "Opdracht uitgevoerd");
    }
    if (!label->isVisible() && shown.isValid() && visibleFor < 0) visibleFor = shown.elapsed();
  });
  watch.start(10);
  drive([this] { action("mnuBestandOpenen")->trigger(); });
  watch.stop();
  if (shown.isValid() && visibleFor < 0) visibleFor = shown.elapsed();
  EXPECT_GE(visibleFor, 1900);
  EXPECT_LE(visibleFor, 2600);
}

struct StepCase {
  std::string name;
  std::string program;
  std::vector<int> stops;  // ListIndex at every wait for Start
};

void PrintTo(const StepCase& c, std::ostream* os) {
  *os << c.name;
}

class StepMode : public MainWindowTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepMode, NeedsAClickPerBlockAndTheListFollows) {
  action("mnuBewerkingStap")->trigger();
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("step.nc", GetParam().program));
  EXPECT_EQ(gateStops, GetParam().stops);
  EXPECT_EQ(shownRowsAtGate, GetParam().stops);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, StepMode,
    ::testing::Values(
        StepCase{"EveryBlock", "G21 ;\nG00 X40 Z2 ;\nG01 Z-10 F0.2 ;\nG00 X80 ;\n", {0, 1, 2, 3}},
        StepCase{"ThreadBlockRunsThrough",
                 "G00 X30 Z5 ;\nG32 Z-20 F1.5 ;\nG00 X40 ;\nG00 Z5 ;\n",
                 {0, 1, 3}},
        StepCase{"EndsWithM30", "G00 X40 Z2 ;\nM30 ;\n", {0, 1}}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return info.param.name; });

struct GateCase {
  std::string name;
  bool optionalStop;
  std::vector<int> stops;
};

void PrintTo(const GateCase& c, std::ostream* os) {
  *os << c.name;
}

class OptionalStop : public MainWindowTest, public ::testing::WithParamInterface<GateCase> {};

TEST_P(OptionalStop, HoldsTheRunAtM01OnlyWhenChecked) {
  if (GetParam().optionalStop) action("mnuBewerkingOptioneel")->trigger();
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("m01.nc", "G00 X40 Z2 M03 ;\nG01 Z-10 F0.2 ;\nM01 ;\nG00 X80 ;\n"));
  EXPECT_EQ(gateStops, GetParam().stops);
}

INSTANTIATE_TEST_SUITE_P(Settings, OptionalStop,
                         ::testing::Values(GateCase{"Checked", true, {0, 2}},
                                           GateCase{"Unchecked", false, {0}}),
                         [](const ::testing::TestParamInfo<GateCase>& info) {
                           return info.param.name;
                         });

TEST_F(MainWindowTest, StartenReleasesTheGateAndVernieuwRunsTheFileAgain) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [this] { action("mnuBewerkingStarten")->trigger(); });
  EXPECT_EQ(gateStops, std::vector<int>{0});
  ASSERT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);

  gateStops.clear();
  drive([this] { action("mnuBewerkingVernieuw")->trigger(); });
  EXPECT_EQ(gateStops, std::vector<int>{0});
  EXPECT_EQ(dialogs.openDialogs.size(), 1u);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(MainWindowTest, WithAPauseEveryPixelIsShownBeforeIt) {
  find<QScrollBar>("HScroll2")->setValue(1);
  PaintCounter counter;
  find("picResult")->installEventFilter(&counter);
  // A feed move of 12 mm: 41 pixels at zoom 3.4, each followed by a pause of 1 ms.
  openAndRun(writeProgram("feed.nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n"));
  find("picResult")->removeEventFilter(&counter);
  EXPECT_GE(counter.paints, 41);
}

struct LabelCase {
  std::string name;
  std::string program;
  std::vector<std::pair<const char*, std::string>> labels;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
  *os << c.name;
}

class StatusLabels : public MainWindowTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(StatusLabels, ShowTheModalValuesAfterTheRun) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("labels.nc", GetParam().program));
  for (const auto& [name, text] : GetParam().labels)
    EXPECT_EQ(find<QLabel>(name)->text().toStdString(), text) << name;

  // The panel reads as one table: the captions in one font, each ending before its value,
  // and the values in one column.
  const std::pair<const char*, const char*> rows[] = {{"lblMeasureUnit", "lblMeasureUnitV"},
                                                      {"lblRadComp", "lblRadCompV"},
                                                      {"lblMaxSpeed", "lblMaxSpeedV"},
                                                      {"lblConstant", "lblConstantV"},
                                                      {"lblFeed", "lblFeedV"}};
  const QLabel* top = find<QLabel>(rows[0].first);
  for (const auto& [captionName, valueName] : rows) {
    const QLabel* caption = find<QLabel>(captionName);
    const QLabel* value = find<QLabel>(valueName);
    EXPECT_EQ(caption->font(), top->font()) << captionName;
    EXPECT_LT(caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()),
              value->x())
        << captionName;
    EXPECT_EQ(value->x(), find<QLabel>(rows[0].second)->x()) << valueName;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, StatusLabels,
    ::testing::Values(LabelCase{"ConstantCuttingSpeed",
                                "G21 G42 ;\nG50 S2500 ;\nG96 S180 ;\nG99 F0.25 ;\nG00 X40 Z2 ;\n",
                                {{"lblMeasureUnitV", "Millimeters"},
                                 {"lblRadCompV", "Rechts"},
                                 {"lblMaxSpeedV", "2500"},
                                 {"lblConstant", "Constant snijsnelheid :"},
                                 {"lblConstantV", "180"},
                                 {"lblFeedV", "0.25 mm/tr"}}},
                      LabelCase{"ConstantSpindleSpeed",
                                "G20 G41 ;\nG97 S1200 ;\nG98 F100 ;\nG00 X40 Z2 ;\n",
                                {{"lblMeasureUnitV", "Duim"},
                                 {"lblRadCompV", "Links"},
                                 {"lblMaxSpeedV", ""},
                                 {"lblConstant", "Constant toerental :"},
                                 {"lblConstantV", "1200"},
                                 {"lblFeedV", "100 mm/min"}}}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

TEST_F(MainWindowTest, SecondOpenDuringARunDoesNothing) {
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  dialogs.openAnswers.push_back(writeProgram("other.nc", "G00 X10 Z10 ;\n"));
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [this] {
          action("mnuBestandOpenen")->trigger();
          clickStart();
        });
  EXPECT_EQ(dialogs.openDialogs.size(), 1u);
  EXPECT_EQ(find<QListView>("lstCommands")->model()->rowCount(), 7);
}

TEST_F(MainWindowTest, StartButtonAfterARunRunsAgainWithoutWaiting) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("shaft.nc", Shaft));
  gateStops.clear();
  sim().picResult.clear();
  drive([this] { clickStart(); });
  EXPECT_TRUE(gateStops.empty());
  EXPECT_EQ(sim().indicators.start, StartImage::Idle);
  EXPECT_FALSE(sim().StartPressed);
  EXPECT_GT(drawnPixels(sim().picResult), 100);
  EXPECT_EQ(dialogs.openDialogs.size(), 1u);
}

TEST_F(MainWindowTest, ProgramFileRunsLikeVernieuwWithoutTheDialog) {
  const std::string file = writeProgram("T0000.Nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n");
  drive([&] { window->runProgramFile(QString::fromStdString(file)); });
  EXPECT_TRUE(dialogs.openDialogs.empty());
  EXPECT_EQ(window->currentFileName().toStdString(), file);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
  EXPECT_EQ(find<QListView>("lstCommands")->model()->rowCount(), 2);
  EXPECT_EQ(gateStops, std::vector<int>{0});
}

TEST_F(MainWindowTest, ListFollowsTheRunAndIgnoresUserClicks) {
  action("mnuBewerkingStap")->trigger();
  auto* list = find<QListView>("lstCommands");
  std::vector<int> afterClick;
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [&] {
          list->setCurrentIndex(list->model()->index(5, 0));  // the user clicks another block
          afterClick.push_back(list->currentIndex().row());
          clickStart();
        });
  EXPECT_EQ(afterClick, gateStops);
  EXPECT_EQ(gateStops, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

// A long block is shown as written and cut at the list's edge: the visible part of its row is
// what a list wide enough for the whole block shows there.
TEST_F(MainWindowTest, LongBlockIsCutAtTheEdgeOfTheList) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("long.nc",
                          "(HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH)\n"
                          "G00 X10 ;\n"));
  auto* list = find<QListView>("lstCommands");
  const QRect row = list->visualRect(list->model()->index(0, 0)) & list->viewport()->rect();
  const QImage narrow = list->viewport()->grab(row).toImage();
  list->resize(3000, list->height());
  const QImage wide = list->viewport()->grab(row).toImage();
  EXPECT_FALSE(row.isEmpty());
  EXPECT_TRUE(narrow == wide);
}

TEST_F(MainWindowTest, WaitingAtTheGateUsesNextToNoProcessorTime) {
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  QElapsedTimer waiting;
  std::clock_t cpuAtStart = 0;
  double cpuSeconds = -1;
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [&] {
          if (!waiting.isValid()) {
            waiting.start();
            cpuAtStart = std::clock();
            return;
          }
          if (waiting.elapsed() < 1500) return;
          if (cpuSeconds < 0)
            cpuSeconds = static_cast<double>(std::clock() - cpuAtStart) / CLOCKS_PER_SEC;
          clickStart();
        });
  EXPECT_GE(cpuSeconds, 0.0);
  EXPECT_LT(cpuSeconds, 0.3);
}

struct CloseCase {
  std::string name;
  bool viaAfsluiten;
  bool whileDrawingSlowly;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
  *os << c.name;
}

class CloseDuringRun : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseDuringRun, EndsTheRunPromptlyAndClosesTheWindow) {
  const CloseCase& c = GetParam();
  auto closeWindow = [this, c] {
    if (c.viaAfsluiten)
      action("mnuBestandAfsluiten")->trigger();
    else
      window->close();
  };
  if (c.whileDrawingSlowly) find<QScrollBar>("HScroll2")->setValue(20);
  dialogs.openAnswers.push_back(writeProgram("shaft.nc", Shaft));
  QElapsedTimer sinceClose;
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [&] {
          if (sinceClose.isValid()) return;
          if (!c.whileDrawingSlowly) {
            sinceClose.start();
            closeWindow();
            return;
          }
          clickStart();
          QTimer::singleShot(300, [&] {
            sinceClose.start();
            closeWindow();
          });
        });
  ASSERT_TRUE(sinceClose.isValid());
  EXPECT_LT(sinceClose.elapsed(), 1000);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::Aborted);
  EXPECT_FALSE(sim().run.RunBusy);
  EXPECT_FALSE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseDuringRun,
                         ::testing::Values(CloseCase{"WindowAtTheGate", false, false},
                                           CloseCase{"AfsluitenAtTheGate", true, false},
                                           CloseCase{"WindowWhileDrawing", false, true},
                                           CloseCase{"AfsluitenWhileDrawing", true, true}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                           return info.param.name;
                         });

TEST_F(MainWindowTest, ClosingWithoutARunClosesAtOnce) {
  action("mnuBestandAfsluiten")->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->closePending());
}

}  // namespace
}  // namespace draivo::test
