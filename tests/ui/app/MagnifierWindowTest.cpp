#include <QApplication>
#include <QMouseEvent>

#include "MainWindowFixture.h"
#include "app/SurfaceView.h"

namespace draivo::test {
namespace {

// A drag over the view draws its outline; on release the region is shown seven times larger
// (100 x 50 pixels), and a click on the magnifier puts the view back.
TEST_F(MainWindowTest, DraggedRegionIsShownMagnifiedUntilClicked) {
  for (int row = 110; row < 120; ++row) sim().picResult.setPixel(130, row, rgb(200, 0, 0));
  QWidget* overlay = find("imgSelect");
  const auto mouse = [overlay](QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, overlay->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(overlay, &event);
  };
  mouse(QEvent::MouseButtonPress, {100, 100});
  mouse(QEvent::MouseMove, {150, 125});
  mouse(QEvent::MouseMove, {200, 150});
  const QImage outline = overlay->grab().toImage();
  EXPECT_EQ(outline.pixel(100, 125), qRgb(0, 0, 0));
  EXPECT_EQ(outline.pixel(150, 150), qRgb(0, 0, 0));

  mouse(QEvent::MouseButtonRelease, {200, 150});
  auto* zoom = find<SurfaceView>("picZoom");
  ASSERT_TRUE(zoom->isVisible());
  // Column 130 lies 30 pixels into the region: columns 210 to 216 of the magnifier.
  const QImage shown = zoom->grab().toImage();
  const int border = SurfaceView::BorderWidth;
  EXPECT_EQ(shown.pixel(border + 210, border + 10 * 7 + 3), qRgb(200, 0, 0));
  EXPECT_EQ(shown.pixel(border + 216, border + 19 * 7 + 6), qRgb(200, 0, 0));
  EXPECT_NE(shown.pixel(border + 217, border + 10 * 7 + 3), qRgb(200, 0, 0));
  EXPECT_NE(shown.pixel(border + 210, border + 20 * 7), qRgb(200, 0, 0));

  clickWidget(zoom);
  EXPECT_FALSE(zoom->isVisible());
  EXPECT_EQ(sim().picResult.getPixel(130, 115), rgb(200, 0, 0));
}

}  // namespace
}  // namespace draivo::test
