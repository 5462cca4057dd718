#include "MainWindowFixture.h"

#include <QElapsedTimer>
#include <QListView>
#include <QTest>
#include <QTimer>

namespace draivo::test {

void MainWindowTest::SetUp() {
  window = std::make_unique<frmGraphic>(dialogs);
  window->setPictureFolder(QString::fromStdString(folder.path().string()));
  ASSERT_TRUE(window->Form_Load(QSize(1024, 768)));
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowTest::TearDown() {
  window.reset();
}

std::string MainWindowTest::writeProgram(const std::string& name, const std::string& text) {
  return folder.write(name, text);
}

void MainWindowTest::openAndRun(const std::string& file) {
  dialogs.openAnswers.push_back(file);
  drive([this] { action("mnuBestandOpenen")->trigger(); });
}

void MainWindowTest::clickWidget(QWidget* widget, QPoint at) {
  if (at.isNull()) at = widget->rect().center();
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void MainWindowTest::clickStart() {
  clickWidget(find("picViewCommand2"));
}

void MainWindowTest::drive(const std::function<void()>& trigger, std::function<void()> atGate) {
  if (!atGate) atGate = [this] { clickStart(); };
  auto* list = find<QListView>("lstCommands");
  QElapsedTimer clock;
  clock.start();
  QTimer driver;
  driver.setInterval(DriverIntervalMs);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (clock.elapsed() > RunTimeLimitMs && !timedOut) {
      timedOut = true;
      window->close();
      return;
    }
    if (!sim().run.RunBusy || sim().StartPressed) return;
    gateStops.push_back(sim().lstCommands.ListIndex());
    shownRowsAtGate.push_back(list->currentIndex().row());
    atGate();
  });
  driver.start();
  trigger();
  driver.stop();
  EXPECT_FALSE(timedOut) << "the run did not end in time";
}

}  // namespace draivo::test
