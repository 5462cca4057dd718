#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <ostream>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "app/CommandSheet.h"
#include "app/PictureButton.h"

namespace draivo::test {
namespace {

struct PlacedControl {
  const char* name;
  QRect geometry;  // in the client area, or in Frame1 for the panel labels
};

void PrintTo(const PlacedControl& c, std::ostream* os) {
  *os << c.name;
}

class ControlPlace : public MainWindowTest, public ::testing::WithParamInterface<PlacedControl> {};

TEST_P(ControlPlace, StandsWhereTheLayoutPutsIt) {
  QWidget* control = find(GetParam().name);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->geometry(), GetParam().geometry);
}

INSTANTIATE_TEST_SUITE_P(Layout, ControlPlace,
                         ::testing::Values(PlacedControl{"picResult", {9, 10, 706, 373}},
                                           PlacedControl{"picZoom", {9, 10, 706, 373}},
                                           PlacedControl{"picSave", {9, 10, 706, 373}},
                                           PlacedControl{"imgSelect", {11, 12, 702, 369}},
                                           PlacedControl{"RichTextBox1", {728, 10, 281, 373}},
                                           PlacedControl{"Frame1", {8, 392, 185, 105}},
                                           PlacedControl{"picViewCommand0", {208, 400, 48, 48}},
                                           PlacedControl{"picViewCommand1", {272, 400, 48, 48}},
                                           PlacedControl{"picViewCommand2", {232, 456, 60, 60}},
                                           PlacedControl{"lstCommands", {336, 400, 225, 108}},
                                           PlacedControl{"lblZoomFactor", {576, 400, 73, 17}},
                                           PlacedControl{"HScroll1", {576, 416, 89, 17}},
                                           PlacedControl{"lblZoom", {680, 416, 25, 17}},
                                           PlacedControl{"lblDrawSpeed", {576, 440, 73, 17}},
                                           PlacedControl{"HScroll2", {576, 456, 89, 17}},
                                           PlacedControl{"lblSpeed", {680, 456, 25, 17}},
                                           PlacedControl{"ChkDirect", {576, 480, 81, 25}},
                                           PlacedControl{"lblMeasureUnit", {16, 16, 105, 17}},
                                           PlacedControl{"lblMeasureUnitV", {120, 16, 57, 17}},
                                           PlacedControl{"lblRadCompV", {120, 32, 57, 17}},
                                           PlacedControl{"lblMaxSpeedV", {120, 48, 57, 17}},
                                           PlacedControl{"lblConstantV", {120, 64, 57, 17}},
                                           PlacedControl{"lblFeed", {16, 80, 105, 17}},
                                           PlacedControl{"lblNullPoint", {8, 16, 169, 81}}),
                         [](const ::testing::TestParamInfo<PlacedControl>& info) {
                           return std::string(info.param.name);
                         });

struct Caption {
  const char* name;
  const char* text;
};

void PrintTo(const Caption& c, std::ostream* os) {
  *os << c.name;
}

class ControlCaption : public MainWindowTest, public ::testing::WithParamInterface<Caption> {};

TEST_P(ControlCaption, ReadsAsWritten) {
  QWidget* control = find(GetParam().name);
  ASSERT_NE(control, nullptr);
  QString text;
  if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
  EXPECT_EQ(text.toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, ControlCaption,
    ::testing::Values(Caption{"lblFeed", "Voeding :"}, Caption{"lblConstant", "Constant :"},
                      Caption{"lblMeasureUnit", "Alle maten in :"},
                      Caption{"lblRadComp", "Radiuscompensatie :"},
                      Caption{"lblMaxSpeed", "Max toerental :"},
                      Caption{"lblDrawSpeed", "Draw speed"},
                      Caption{"lblZoomFactor", "Zoom factor"}, Caption{"lblZoom", " 3.4"},
                      Caption{"lblSpeed", "100"}, Caption{"ChkDirect", "Direct"},
                      Caption{"lblFeedV", ""}, Caption{"lblConstantV", ""}),
    [](const ::testing::TestParamInfo<Caption>& info) { return std::string(info.param.name); });

std::vector<std::string> itemTexts(QMenu* menu) {
  std::vector<std::string> texts;
  for (QAction* a : menu->actions())
    texts.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return texts;
}

QMenu* menuTitled(QMenuBar* bar, const QString& title) {
  for (QAction* a : bar->actions())
    if (a->text() == title) return a->menu();
  return nullptr;
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder) {
  QMenu* bestand = menuTitled(window->menuBar(), "&Bestand");
  QMenu* simulatie = menuTitled(window->menuBar(), "&Simulatie");
  ASSERT_NE(bestand, nullptr);
  ASSERT_NE(simulatie, nullptr);
  EXPECT_EQ(itemTexts(bestand),
            (std::vector<std::string>{"Openen ...", "-", "Editor ...", "-", "Figuur opslaan", "-",
                                      "Afsluiten"}));
  EXPECT_EQ(itemTexts(simulatie),
            (std::vector<std::string>{"Starten", "-", "Vernieuw", "Bewerkingstijd ...", "-",
                                      "Optionele stop", "Stap voor stap"}));
  EXPECT_EQ(window->menuBar()->actions().size(), 2);
}

TEST_F(MainWindowTest, StartUpStatesOfTheMenus) {
  EXPECT_EQ(window->windowTitle(), "Draivo");
  EXPECT_TRUE(action("mnuBestandOpenen")->isEnabled());
  EXPECT_FALSE(action("mnuBestandSavePicture")->isEnabled());
  EXPECT_TRUE(action("mnuBestandAfsluiten")->isEnabled());
  EXPECT_FALSE(action("mnuBewerkingStarten")->isEnabled());
  EXPECT_FALSE(action("mnuBewerkingVernieuw")->isEnabled());
  for (const char* name : {"mnuBewerkingOptioneel", "mnuBewerkingStap"}) {
    EXPECT_TRUE(action(name)->isCheckable()) << name;
    EXPECT_FALSE(action(name)->isChecked()) << name;
  }
}

TEST_F(MainWindowTest, CheckItemsToggleTheRunControl) {
  action("mnuBewerkingStap")->trigger();
  EXPECT_TRUE(sim().menus.stapChecked);
  EXPECT_TRUE(action("mnuBewerkingStap")->isChecked());
  action("mnuBewerkingOptioneel")->trigger();
  action("mnuBewerkingStap")->trigger();
  EXPECT_TRUE(sim().menus.optioneelChecked);
  EXPECT_FALSE(sim().menus.stapChecked);
  EXPECT_TRUE(action("mnuBewerkingOptioneel")->isChecked());
  EXPECT_FALSE(action("mnuBewerkingStap")->isChecked());
}

TEST_F(MainWindowTest, ClientAreaAndViewAfterLoading) {
  EXPECT_EQ(window->centralWidget()->size(), QSize(725, 539));
  EXPECT_EQ(sim().view.ViewOriginZ, 660);
  EXPECT_EQ(sim().view.ViewOriginX, 340);
  EXPECT_DOUBLE_EQ(sim().view.ZoomFactor, 3.4);
  EXPECT_EQ(sim().view.DrawDelay, 0);
  // The axis cross of the view is drawn in blue.
  EXPECT_EQ(sim().picResult.getPixel(660, 200), Blue);
  EXPECT_FALSE(find("picZoom")->isVisible());
  EXPECT_FALSE(find("picSave")->isVisible());
  EXPECT_FALSE(find("lblNullPoint")->isVisible());
  EXPECT_FALSE(find("lstAutomatic")->isVisible());
  EXPECT_TRUE(find("imgSelect")->isVisible());
}

TEST_F(MainWindowTest, DesignTextAreaIsMonospacedBeyondTheRightEdge) {
  auto* text = find<QTextEdit>("RichTextBox1");
  ASSERT_NE(text, nullptr);
  const QFontMetrics metrics(text->font());
  for (char c : std::string("il.0MW"))
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char(c)), metrics.horizontalAdvance(QLatin1Char('W'))) << c;
  EXPECT_GE(text->x(), window->centralWidget()->width());
  window->resize(1024, 700);
  QTest::qWait(50);
  EXPECT_TRUE(text->isVisible());
}

TEST_F(MainWindowTest, PictureButtonsCarryTheirToolTips) {
  EXPECT_EQ(find("picViewCommand0")->toolTip(), "Draai richting");
  EXPECT_EQ(find("picViewCommand1")->toolTip(), "Koelwater aan/uit");
  EXPECT_EQ(find("picViewCommand2")->toolTip(), "Start simulatie");
}

TEST_F(MainWindowTest, TimerShowsStoppedSpindleCoolantOffAndStartIdle) {
  auto* timer = find<QTimer>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isSingleShot());
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isActive());
  const QImage sheet = drawCommandSheet();
  QTest::qWait(frmGraphic::StartupTimerMs + 300);
  auto image = [this](const char* name) { return find<PictureButton>(name)->image(); };
  EXPECT_EQ(image("picViewCommand0"), cutCommandImage(sheet, cellOf(SpindleImage::StoppedM03), 47));
  EXPECT_EQ(image("picViewCommand1"), cutCommandImage(sheet, cellOf(CoolantImage::Off), 47));
  EXPECT_EQ(image("picViewCommand2").size(), QSize(60, 60));
  EXPECT_EQ(image("picViewCommand2"), cutCommandImage(sheet, cellOf(StartImage::Idle), 60));
}

TEST(CommandSheet, EveryImageIsDistinct) {
  const QImage sheet = drawCommandSheet();
  const std::vector<ImageCell> cells = {
      cellOf(SpindleImage::RunningM03), cellOf(SpindleImage::RunningM04),
      cellOf(SpindleImage::StoppedM03), cellOf(SpindleImage::StoppedM04),
      cellOf(CoolantImage::On),         cellOf(CoolantImage::Off),
      cellOf(StartImage::Idle),         cellOf(StartImage::Step),
      cellOf(StartImage::Running)};
  for (std::size_t i = 0; i < cells.size(); ++i)
    for (std::size_t j = i + 1; j < cells.size(); ++j) {
      const int size = std::min(cells[i].size, cells[j].size);
      EXPECT_NE(sheet.copy(cells[i].column, cells[i].row, size, size),
                sheet.copy(cells[j].column, cells[j].row, size, size))
          << i << " and " << j;
    }
}

TEST_F(MainWindowTest, SpeedBarRunsFromSlowAtTheLeftToFastAtTheRight) {
  auto* bar = find<QScrollBar>("HScroll2");
  auto* speed = find<QLabel>("lblSpeed");
  EXPECT_EQ(bar->value(), 0);
  // The arrow at the left end moves towards the slow end.
  clickWidget(bar, QPoint(3, bar->height() / 2));
  EXPECT_EQ(bar->value(), 1);
  EXPECT_EQ(sim().view.DrawDelay, 1);
  EXPECT_EQ(speed->text(), "95");
  bar->setValue(20);
  EXPECT_EQ(sim().view.DrawDelay, 20);
  EXPECT_EQ(speed->text(), "0");
}

TEST_F(MainWindowTest, ZoomBarSetsTheZoomFactor) {
  auto* bar = find<QScrollBar>("HScroll1");
  EXPECT_EQ(bar->minimum(), 10);
  EXPECT_EQ(bar->maximum(), 200);
  EXPECT_EQ(bar->value(), 34);
  clickWidget(bar, QPoint(bar->width() - 3, bar->height() / 2));
  EXPECT_EQ(bar->value(), 35);
  EXPECT_DOUBLE_EQ(sim().view.ZoomFactor, 3.5);
  EXPECT_EQ(find<QLabel>("lblZoom")->text(), " 3.5");
}

TEST_F(MainWindowTest, DirectBoxIsWhatTheRunReads) {
  EXPECT_FALSE(window->directChecked());
  find<QCheckBox>("ChkDirect")->setChecked(true);
  EXPECT_TRUE(window->directChecked());
}

struct ResolutionCase {
  QSize screen;
  bool asked;
  MessageAnswer answer;
  bool goesOn;
};

void PrintTo(const ResolutionCase& c, std::ostream* os) {
  *os << c.screen.width() << "x" << c.screen.height()
      << (c.answer == MessageAnswer::Yes ? " Yes" : " No");
}

class ResolutionQuestion : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(ResolutionQuestion, EndsTheProgramOnlyOnYes) {
  const ResolutionCase& c = GetParam();
  ScriptedDialogs dialogs;
  dialogs.answers.push_back(c.answer);
  frmGraphic window(dialogs);
  EXPECT_EQ(window.Form_Load(c.screen), c.goesOn);
  ASSERT_EQ(dialogs.messages.size(), c.asked ? 1u : 0u);
  if (!c.asked) return;
  const std::string size =
      std::to_string(c.screen.width()) + "x" + std::to_string(c.screen.height());
  EXPECT_EQ(dialogs.messages[0].text, "Set Screen Resolution At 1024x768");
  EXPECT_EQ(dialogs.messages[0].title, "Draivo : Screen Resolution " + size);
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ResolutionQuestion,
    ::testing::Values(ResolutionCase{{1280, 1024}, true, MessageAnswer::No, true},
                      ResolutionCase{{1280, 1024}, true, MessageAnswer::Yes, false},
                      ResolutionCase{{800, 600}, true, MessageAnswer::No, true},
                      ResolutionCase{{1024, 768}, false, MessageAnswer::Yes, true}));

}  // namespace
}  // namespace draivo::test
