// Windows opened at an offset of their owner lie wholly on the owner's screen.
#include <sstream>

#include "MainWindowFixture.h"
#include "platform/ScreenPlacement.h"
#include "support/DataTable.h"

namespace draivo::test {
namespace {

QRect rectOf(const std::string& text) {
  int left = 0, top = 0, width = 0, height = 0;
  std::istringstream(text) >> left >> top >> width >> height;
  return {left, top, width, height};
}

TEST(ScreenPlacement, MovesAFrameInAsLittleAsNeeded) {
  for (const auto& row : ReadTable("tables/screen_placement.rows")) {
    EXPECT_EQ(fitIntoArea(rectOf(row.at(0)), rectOf(row.at(1))),
              rectOf(row.at(2) + " 0 0").topLeft())
        << row.at(0) << " in " << row.at(1);
  }
}

// "Nieuw gereedschap" and "G90 - G92 - G94" open at their offset from the main window, moved
// in where they would run off its screen (the off-screen test screen is 800 x 600): every
// button is on the screen, and an offset that fits is kept.
TEST_F(MainWindowTest, DesignDialogsOpenWhollyOnTheScreen) {
  const QRect screen = window->screen()->availableGeometry();
  for (const QPoint corner : {QPoint(0, 0), QPoint(40, 30), QPoint(600, 500)}) {
    window->move(corner);
    settle();
    for (const auto& [item, offset] : {std::pair{"mnuOntwerpNewTool", QPoint(428, 63)},
                                       std::pair{"mnuOntwerpG9094", QPoint(161, 63)}}) {
      withModal(item, [&](QDialog& dialog) {
        const QRect frame = dialog.frameGeometry();
        const QPoint wanted = window->frameGeometry().topLeft() + offset;
        EXPECT_TRUE(screen.contains(frame)) << item << " at " << frame.x() << "," << frame.y();
        // Moved in as little as needed, by the rule the table above checks.
        EXPECT_EQ(frame.topLeft(), fitIntoArea(QRect(wanted, frame.size()), screen)) << item;
        for (auto* button : dialog.findChildren<QPushButton*>()) {
          if (!button->isVisible()) continue;
          const QRect place(button->mapToGlobal(QPoint(0, 0)), button->size());
          EXPECT_TRUE(screen.contains(place)) << item << " " << button->text().toStdString();
        }
      });
    }
  }
}

}  // namespace
}  // namespace draivo::test
