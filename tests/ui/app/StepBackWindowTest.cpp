// "Stap terug" and "Uitvoeren tot hier" as a user gives them: menu items, the button beside
// Start, the left arrow key in the list and the picture, a chosen row of the list.

#include <map>

#include "MainWindowFixture.h"
#include "run/HeadlessRun.h"
#include "support/Hashes.h"

namespace draivo::test {
namespace {

int selectedRow(QListView& list) {
  const QModelIndexList rows = list.selectionModel()->selectedIndexes();
  return rows.size() == 1 ? rows.front().row() : -1;
}

// What the window shows at a stop: the picture, the list's selected row, the feed label.
std::string shownAt(frmGraphic& window, QListView& list) {
  return std::to_string(PictureHash(window.simulator().picResult)) + " row " +
         std::to_string(selectedRow(list)) + " " +
         window.findChild<QLabel*>("lblFeedV")->text().toStdString();
}

// Stepping to stop 4, back with the left arrow and the button to stop 2, and on to the end
// shows at every stop what the run showed there the first time; at stop 1 "Stap terug" is
// disabled in the menu and on the button.
TEST_F(MainWindowTest, StepBackShowsAnEarlierStopAgain) {
  action("mnuBewerkingStap")->trigger();
  auto* list = find<QListView>("lstCommands");
  auto* button = find<QToolButton>("cmdStapTerug");
  std::map<std::size_t, std::string> firstShown;
  std::vector<std::size_t> stops;
  std::vector<bool> canGoBack;  // the menu item's and the button's at each stop
  openAndRun(writeProgram("shaft.nc", Shaft), [&] {
    const std::size_t stop = sim().stopNumber();
    if (stop == 0) return;
    stops.push_back(stop);
    canGoBack.push_back(action("mnuBewerkingStapTerug")->isEnabled());
    canGoBack.push_back(button->isEnabled());
    const std::string shown = shownAt(*window, *list);
    EXPECT_EQ(shown, firstShown.try_emplace(stop, shown).first->second) << "stop " << stop;
    if (stop == 4 && stops.size() == 4) {
      list->setFocus();
      QTest::keyClick(list, Qt::Key_Left);
      return QTest::mouseClick(button, Qt::LeftButton);
    }
    clickStart();
  });
  ASSERT_GE(stops.size(), 6u);
  EXPECT_EQ(std::vector(stops.begin(), stops.begin() + 6),
            (std::vector<std::size_t>{1, 2, 3, 4, 2, 3}));
  EXPECT_EQ(std::vector(canGoBack.begin(), canGoBack.begin() + 8),
            (std::vector<bool>{false, false, true, true, true, true, true, true}));
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
  EXPECT_FALSE(action("mnuBewerkingStapTerug")->isEnabled() || button->isEnabled());
}

// A row clicked in the list and "Uitvoeren tot hier" hold the run at that block in step mode,
// with the picture and status draivo-sim --until-block gives. Before a row is chosen the menu
// item is disabled; the arrow keys choose a row as a click does.
TEST_F(MainWindowTest, RunToHereHoldsAtTheChosenBlock) {
  const std::string program = writeProgram("shaft.nc", Shaft);
  auto* list = find<QListView>("lstCommands");
  bool asked = false;
  std::string held;
  openAndRun(program, [&] {
    if (sim().holdsAtTarget() && held.empty()) {
      held = shownAt(*window, *list);
      EXPECT_TRUE(action("mnuBewerkingStap")->isChecked());
      action("mnuBewerkingStap")->trigger();  // and on to the end
    } else if (!std::exchange(asked, true)) {
      EXPECT_FALSE(action("mnuBewerkingTotHier")->isEnabled());
      const QRect row = list->visualRect(list->model()->index(2, 0));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
      QTest::keyClick(list, Qt::Key_Down);
      QTest::keyClick(list, Qt::Key_Down);
      EXPECT_TRUE(action("mnuBewerkingTotHier")->isEnabled());
      return action("mnuBewerkingTotHier")->trigger();
    }
    clickStart();
  });
  HeadlessOptions options;
  options.untilLine = 5;
  const HeadlessResult headless = RunHeadless(program, options);
  ASSERT_FALSE(held.empty());
  EXPECT_EQ(held.substr(0, held.find(' ')), std::to_string(PictureHash(headless.picture)));
  EXPECT_EQ(held.substr(held.find(" row ")), " row 4 " + headless.status.back().value);
  EXPECT_EQ(sim().lastOutcome, RunOutcome::ReachedEnd);
}

}  // namespace
}  // namespace draivo::test
