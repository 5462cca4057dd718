#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

#include "MainWindowFixture.h"
#include "app/SurfaceView.h"
#include "platform/SurfaceImage.h"

namespace draivo::test {
namespace {

class MagnifierWindow : public MainWindowTest {
 protected:
  void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QWidget* overlay = find("imgSelect");
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, overlay->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(overlay, &event);
  }
  void drag(QPoint from, QPoint to) {
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    mouse(QEvent::MouseMove, to, Qt::LeftButton);
  }
  void release(QPoint at) { mouse(QEvent::MouseButtonRelease, at, Qt::NoButton); }
};

TEST_F(MagnifierWindow, DraggedRegionIsShownSevenTimesLarger) {
  // A mark in the region, so the magnified picture has something to show.
  for (int row = 110; row < 120; ++row) sim().picResult.setPixel(130, row, rgb(200, 0, 0));
  drag({100, 100}, {200, 150});
  EXPECT_TRUE(window->magnifier().outlineVisible());
  const QImage outline = find("imgSelect")->grab().toImage();
  EXPECT_EQ(outline.pixel(100, 125), qRgb(0, 0, 0));
  EXPECT_EQ(outline.pixel(150, 150), qRgb(0, 0, 0));

  release({200, 150});
  auto* zoom = find<SurfaceView>("picZoom");
  EXPECT_FALSE(window->magnifier().outlineVisible());
  ASSERT_TRUE(zoom->isVisible());
  EXPECT_EQ(window->magnifier().lastFactor(), 7);
  const SelectionRect& r = window->magnifier().selectionRect();
  EXPECT_EQ(QRectF(r.left, r.top, r.width, r.height), QRectF(100, 100, 100, 50));

  // Column 130 lies 30 pixels into the region: columns 210 to 216 of the magnifier.
  const QImage shown = zoom->grab().toImage();
  const int border = SurfaceView::BorderWidth;
  EXPECT_EQ(shown.pixel(border + 210, border + 10 * 7 + 3), qRgb(200, 0, 0));
  EXPECT_EQ(shown.pixel(border + 216, border + 19 * 7 + 6), qRgb(200, 0, 0));
  EXPECT_NE(shown.pixel(border + 217, border + 10 * 7 + 3), qRgb(200, 0, 0));
  EXPECT_EQ(shown.pixel(border + 705 - 2 * border, border + 10),
            toQRgb(sim().picZoom.backColour()));

  clickWidget(zoom);
  EXPECT_FALSE(zoom->isVisible());
  EXPECT_FALSE(window->magnifier().zoomVisible());
  EXPECT_EQ(sim().picResult.getPixel(130, 115), rgb(200, 0, 0));
}

// The magnified part after a run of a program, saved next to the test program for a look.
TEST_F(MagnifierWindow, MagnifiedRunIsSavedAsPng) {
  openAndRun(writeProgram("part.nc",
                          "G00 X40 Z2 ;\nG01 Z-20 F0.2 ;\nG02 X60 Z-30 R10 ;\nG00 X100 Z50 ;\n"));
  drag({520, 230}, {680, 300});
  release({680, 300});
  ASSERT_TRUE(find("picZoom")->isVisible());
  EXPECT_EQ(window->magnifier().lastFactor(), 4);
  const QString file = QCoreApplication::applicationDirPath() + "/frmGraphic-zoom.png";
  EXPECT_TRUE(window->grab().toImage().save(file));
}

TEST_F(MagnifierWindow, ClickWithoutDraggingShowsNothing) {
  mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton);
  release({50, 50});
  EXPECT_FALSE(find("picZoom")->isVisible());
  EXPECT_FALSE(window->magnifier().outlineVisible());
}

TEST_F(MagnifierWindow, DragPastTheViewStaysOnThePicture) {
  drag({600, 300}, {900, 500});
  const SelectionRect& r = window->magnifier().selectionRect();
  EXPECT_EQ(r.left + r.width, 701);
  EXPECT_EQ(r.top + r.height, 368);
  release({900, 500});
  EXPECT_TRUE(find("picZoom")->isVisible());
}

}  // namespace
}  // namespace draivo::test
