#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <utility>
#include <ostream>
#include <string>

#include "platform/EventWait.h"
#include "platform/FileFilter.h"
#include "platform/SurfaceImage.h"
#include "render/Surface.h"

namespace draivo {
namespace {

struct FilterCase {
  std::string name;
  std::string filter;
  std::string qt;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << c.name;
}

class FileFilterOf : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterOf, BecomesTheQtForm) {
  EXPECT_EQ(QtFileFilter(GetParam().filter), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileFilterOf,
    ::testing::Values(
        FilterCase{
            "OpenDialog",
            "Alle bestanden (*.*)|*.*|NC bestanden (*.nc)|*.nc|Tekst bestanden (*.txt)|*.txt",
            "Alle bestanden (*.*);;NC bestanden (*.nc);;Tekst bestanden (*.txt)"},
        FilterCase{"PatternNotInDescription", "Programma's|*.nc;*.txt", "Programma's (*.nc *.txt)"},
        FilterCase{"DescriptionOnly", "NC bestanden (*.nc)", "NC bestanden (*.nc)"},
        FilterCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(SurfaceImage, KeepsRedGreenAndBlueInTheirPlaces) {
  Surface surface(4, 2, White);
  surface.setPixel(0, 0, rgb(255, 0, 0));
  surface.setPixel(1, 0, rgb(0, 255, 0));
  surface.setPixel(2, 0, rgb(0, 0, 255));
  surface.setPixel(3, 1, rgb(12, 34, 56));
  const QImage image = toQImage(surface);
  ASSERT_EQ(image.size(), QSize(4, 2));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(3, 1), qRgb(12, 34, 56));
  EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
}

TEST(EventWait, SleepsInsteadOfSpinning) {
  EventWait wait;
  const std::uint64_t end = wait.tickCount() + 300;
  int calls = 0;
  for (std::uint64_t now = wait.tickCount(); now < end; now = wait.tickCount()) {
    wait.waitForEvents(static_cast<int>(end - now));
    ++calls;
  }
  EXPECT_LT(calls, 20);
}

TEST(EventWait, WakesWhenAnEventArrives) {
  EventWait wait;
  bool fired = false;
  QTimer::singleShot(20, [&] { fired = true; });
  QElapsedTimer clock;
  clock.start();
  while (!fired && clock.elapsed() < 2000) wait.waitForEvents(1000);
  EXPECT_TRUE(fired);
  EXPECT_LT(clock.elapsed(), 500);
}

TEST(EventWait, ZeroHandlesPendingEventsAndReturns) {
  EventWait wait;
  bool fired = false;
  QTimer::singleShot(0, [&] { fired = true; });
  QElapsedTimer clock;
  clock.start();
  wait.waitForEvents(0);
  EXPECT_TRUE(fired);
  EXPECT_LT(clock.elapsed(), 100);
}

QString labelText(const QWidget& dialog, const char* name) {
  const auto* label = dialog.findChild<QLabel*>(name);
  return label ? label->text() : QStringLiteral("(no label %1)").arg(name);
}

// The test programs prepare the application as the simulator does. The file dialog is Qt's
// own (its labels exist), as the platform's would speak the system's language.
TEST(DutchApplication, StandardButtonsAndDialogsSpeakDutch) {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  const QFileDialog files;
  const QFontDialog fonts;
  const std::pair<QString, QString> shownAndExpected[] = {
      {box.button(QMessageBox::Yes)->text(), "&Ja"},
      {box.button(QMessageBox::No)->text(), "&Nee"},
      {box.button(QMessageBox::Cancel)->text(), "Annuleren"},
      {labelText(files, "lookInLabel"), "Zoeken in:"},
      {labelText(files, "fileNameLabel"), "Bestands&naam:"},
      {fonts.windowTitle(), "Lettertype selecteren"},
      {QGuiApplication::applicationDisplayName(), "Draivo"},
  };
  for (const auto& [shown, expected] : shownAndExpected)
    EXPECT_EQ(shown.toStdString(), expected.toStdString());
}

}  // namespace
}  // namespace draivo
