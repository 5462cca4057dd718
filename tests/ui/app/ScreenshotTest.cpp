#include <filesystem>
#include <string>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "MainWindowFixture.h"
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

}  // namespace
}  // namespace draivo::test
