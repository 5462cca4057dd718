#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <ostream>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "platform/SurfaceImage.h"

namespace draivo::test {
namespace {

struct WaitCase {
  std::string name;
  std::string program;
  int speedValue;  // the pause per pixel in milliseconds
  bool direct;
  bool stepMode;
  bool optionalStop;
};

void PrintTo(const WaitCase& c, std::ostream* os) {
  *os << c.name;
}

class ScreenAtEveryWait : public MainWindowTest, public ::testing::WithParamInterface<WaitCase> {
 protected:
  // Whether the window, as painted on the screen now, shows the whole picture of the run.
  void checkScreen(const std::string& moment) {
    auto* view = find<QFrame>("picResult");
    const QRect inner = view->contentsRect().translated(view->mapTo(window.get(), QPoint()));
    const QImage shown = window->screen()
                             ->grabWindow(window->winId(), inner.x(), inner.y(), inner.width(),
                                          inner.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    ++checks;
    if (shown != toQImage(sim().picResult)) behind.push_back(moment);
  }

  int checks = 0;
  std::vector<std::string> behind;  // the moments at which the screen lagged
};

TEST_P(ScreenAtEveryWait, ShowsTheWholePicture) {
  const WaitCase& c = GetParam();
  find<QScrollBar>("HScroll2")->setValue(c.speedValue);
  find<QCheckBox>("ChkDirect")->setChecked(c.direct);
  if (c.stepMode) action("mnuBewerkingStap")->trigger();
  if (c.optionalStop) action("mnuBewerkingOptioneel")->trigger();
  dialogs.onMessage = [this](const ScriptedDialogs::Shown& m) { checkScreen("box " + m.title); };
  bool endChecked = false;
  QTimer endMessage;
  QObject::connect(&endMessage, &QTimer::timeout, [&] {
    if (endChecked || !find<QLabel>("lblNullPoint")->isVisible()) return;
    endChecked = true;
    checkScreen("end message");
  });
  endMessage.start(5);
  dialogs.openAnswers.push_back(writeProgram("wait.nc", c.program));
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [this] {
          checkScreen("gate " + std::to_string(sim().lstCommands.ListIndex()));
          clickStart();
        });
  EXPECT_TRUE(endChecked);
  EXPECT_GE(checks, 2);
  EXPECT_EQ(behind, std::vector<std::string>{});
}

constexpr const char* RapidsAndFeeds =
    "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\nG00 X80 Z10 ;\nG00 X60 ;\nG01 Z-5 ;\nG00 X90 Z20 ;\n";

INSTANTIATE_TEST_SUITE_P(
    Settings, ScreenAtEveryWait,
    ::testing::Values(WaitCase{"StepMode", RapidsAndFeeds, 5, false, true, false},
                      WaitCase{"StepModeDirect", RapidsAndFeeds, 5, true, true, false},
                      WaitCase{"SlowestDirect", RapidsAndFeeds, 20, true, false, false},
                      WaitCase{"OptionalStop",
                               "G00 X40 Z2 M03 ;\nG01 Z-10 F0.2 ;\nG00 X60 Z5 ;\nM01 ;\n"
                               "G00 X80 ;\n",
                               5, false, false, true},
                      WaitCase{"MessageBox", "G00 X40 Z2 ;\nM98 P1234 ;\nG00 X80 Z10 ;\n", 5,
                               false, false, false},
                      WaitCase{"FullSpeedDirect", RapidsAndFeeds, 0, true, true, false}),
    [](const ::testing::TestParamInfo<WaitCase>& info) { return info.param.name; });

}  // namespace
}  // namespace draivo::test
