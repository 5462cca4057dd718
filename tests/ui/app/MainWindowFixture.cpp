#include "MainWindowFixture.h"

#include <fstream>
#include <iterator>

#include "design/DesignController.h"

namespace draivo::test {

void MainWindowTest::SetUp() {
  window = std::make_unique<frmGraphic>(dialogs);
  window->setPictureFolder(folderName());
  window->design()->setProgramFolder(folderName());
  window->design()->setShowMessage([this](QWidget*, const QString& text, const QString& title) {
    dialogs.messageBox(nullptr, text.toStdString(), title.toStdString(), MessageButtons::Ok,
                       MessageIcon::Exclamation);
  });
  ASSERT_TRUE(window->Form_Load(QSize(1024, 768)));
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowTest::openAndRun(const std::string& file, std::function<void()> atGate) {
  dialogs.openAnswers.push_back(file);
  drive([this] { action("mnuBestandOpenen")->trigger(); }, std::move(atGate));
}

void MainWindowTest::drive(const std::function<void()>& trigger, std::function<void()> atGate) {
  if (!atGate) atGate = [this] { clickStart(); };
  QElapsedTimer clock;
  clock.start();
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (clock.elapsed() > RunTimeLimitMs && !timedOut) {
      timedOut = true;
      window->close();
    } else if (sim().run.RunBusy && !sim().StartPressed) {
      gateStops.push_back(sim().lstCommands.ListIndex());
      atGate();
    }
  });
  driver.start(DriverIntervalMs);
  trigger();
  EXPECT_FALSE(timedOut) << "the run did not end in time";
}

void MainWindowTest::withModal(const char* item, const std::function<void(QDialog&)>& use) {
  bool used = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || std::exchange(used, true)) return;
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    use(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  poll.start(10);
  action(item)->trigger();
  EXPECT_TRUE(used) << "no dialog opened";
}

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier,
                    QPoint(qMin(8, widget->width() / 2), widget->height() / 2));
  settle();
}

void typeInto(QLineEdit* field, const QString& text) {
  click(field);
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
  settle();
}

std::unique_ptr<frmNC_Editor> MainWindowTest::openEditor(const QString& file,
                                                         QString programFolder) {
  // The editor shares the scripted dialogs, which the test owns.
  const std::shared_ptr<EditorDialogs> shared(std::shared_ptr<void>(), &dialogs);
  return std::make_unique<frmNC_Editor>(
      file, programFolder.isEmpty() ? folderName() : programFolder, shared);
}

std::string contentOf(const QString& fileName) {
  std::ifstream in(fileName.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void selectText(frmNC_Editor& editor, int start, int end) {
  QTextCursor cursor = editor.textArea()->textCursor();
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  editor.textArea()->setTextCursor(cursor);
}

}  // namespace draivo::test
