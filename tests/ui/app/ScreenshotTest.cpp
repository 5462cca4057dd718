#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <string>

#include "MainWindowFixture.h"
#include "app/CommandSheet.h"
#include "app/PictureButton.h"
#include "platform/SurfaceImage.h"

namespace draivo::test {
namespace {

std::filesystem::path examplesFolder() {
  if (const char* folder = std::getenv("DRAIVO_EXAMPLES")) return folder;
  return std::filesystem::path(__FILE__).parent_path() / ".." / ".." / ".." / "examples";
}

// The window after a run of an example, saved next to the test program for a look by eye.
TEST_F(MainWindowTest, WindowAfterAnExampleRunIsSavedAsPng) {
  const auto example = examplesFolder() / "shaft.nc";
  ASSERT_TRUE(std::filesystem::exists(example)) << example;
  dialogs.openAnswers.push_back(example.string());
  drive([this] { action("mnuBestandOpenen")->trigger(); });
  QTest::qWait(50);

  const QImage shot = window->grab().toImage();
  const QString file = QCoreApplication::applicationDirPath() + "/frmGraphic-shaft.png";
  ASSERT_TRUE(shot.save(file));
  EXPECT_EQ(shot.size(), window->size());

  // The view on the screen is the picture of the run.
  QWidget* view = find("picResult");
  const QImage shownView = view->grab().toImage();
  const QPoint inner = view->contentsRect().topLeft();
  int differing = 0;
  for (int row = 0; row < sim().picResult.height(); row += 3)
    for (int column = 0; column < sim().picResult.width(); column += 3)
      if (shownView.pixel(inner + QPoint(column, row)) !=
          toQRgb(sim().picResult.getPixel(column, row)))
        ++differing;
  EXPECT_EQ(differing, 0);
}

// In step mode after N50 (M03 and M08 taken up): spindle turning right, coolant on, the
// start button waiting for the next step.
TEST_F(MainWindowTest, IndicatorsDuringAStepRunAreSavedAsPng) {
  const auto example = examplesFolder() / "shaft.nc";
  ASSERT_TRUE(std::filesystem::exists(example)) << example;
  action("mnuBewerkingStap")->trigger();
  const QImage sheet = drawCommandSheet();
  auto image = [this](const char* name) { return find<PictureButton>(name)->image(); };
  bool checked = false;
  dialogs.openAnswers.push_back(example.string());
  drive(
      [this] { action("mnuBestandOpenen")->trigger(); },
      [&] {
        if (gateStops.size() == 7 && !checked) {
          checked = true;
          EXPECT_EQ(image("picViewCommand0"),
                    cutCommandImage(sheet, cellOf(SpindleImage::RunningM03), 47));
          EXPECT_EQ(image("picViewCommand1"), cutCommandImage(sheet, cellOf(CoolantImage::On), 47));
          EXPECT_EQ(image("picViewCommand2"), cutCommandImage(sheet, cellOf(StartImage::Step), 60));
          const QString file = QCoreApplication::applicationDirPath() + "/frmGraphic-step.png";
          EXPECT_TRUE(window->grab().toImage().save(file));
          action("mnuBewerkingStap")->trigger();
        }
        clickStart();
      });
  EXPECT_TRUE(checked);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
}

}  // namespace
}  // namespace draivo::test
