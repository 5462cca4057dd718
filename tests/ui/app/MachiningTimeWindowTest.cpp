#include <QApplication>
#include <QDialog>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "MainWindowFixture.h"

namespace draivo::test {
namespace {

// 60 of feed at 100 mm/min; rapid axis travel 250 and 150.
constexpr const char* Program =
    ":0013 ;\n"
    "N10 G21 G98 ;\n"
    "N20 T0101 ;\n"
    "N30 G00 X20 Z0 ;\n"
    "N40 G01 Z-50 F100 ;\n"
    "N50 G01 X40 ;\n"
    "N60 G00 X100 Z100 ;\n"
    "N70 M30 ;\n";

using Cells = std::vector<QStringList>;

Cells cellsOf(const QTableWidget* grid) {
  Cells cells;
  for (int r = 0; r < grid->rowCount(); ++r) {
    QStringList row;
    for (int c = 0; c < grid->columnCount(); ++c) row << grid->item(r, c)->text();
    cells.push_back(row);
  }
  return cells;
}

TEST_F(MainWindowTest, MachiningTimeDialogShowsTheLastRunAndFollowsTheRapidRate) {
  QAction* item = action("mnuBewerkingBewerkingstijd");
  EXPECT_FALSE(item->isEnabled()) << "no run yet";
  bool enabledDuringRun = true;
  dialogs.openAnswers.push_back(writeProgram("p.nc", Program));
  drive([this] { action("mnuBestandOpenen")->trigger(); },
        [&] {
          enabledDuringRun = item->isEnabled();
          clickStart();
        });
  EXPECT_FALSE(enabledDuringRun);
  ASSERT_TRUE(item->isEnabled());

  const auto picture = sim().picResult.pixels();
  QString title, suffix;
  Cells shown, retimed;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    auto* grid = dialog->findChild<QTableWidget*>("grdBewerkingstijd");
    auto* rate = dialog->findChild<QSpinBox*>("txtIJlgang");
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(rate, nullptr);
    shown = cellsOf(grid);
    suffix = rate->suffix();
    rate->selectAll();
    QTest::keyClicks(rate, "4000");
    retimed = cellsOf(grid);
    dialog->accept();
  });
  item->trigger();

  EXPECT_EQ(title, "Bewerkingstijd");
  EXPECT_EQ(suffix, " mm/min");
  const QStringList atDefaultRate{"T0101",     "0:00:36.0", "0:00:02.4", "0:00:00.0",
                                  "0:00:38.4", "60.00",     "460.06"};
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], atDefaultRate);
  EXPECT_EQ(shown[1].mid(1), atDefaultRate.mid(1));
  EXPECT_EQ(shown[1][0], "Totaal");
  ASSERT_EQ(retimed.size(), 2u);
  EXPECT_EQ(retimed[1], (QStringList{"Totaal", "0:00:36.0", "0:00:06.0", "0:00:00.0", "0:00:42.0",
                                     "60.00", "460.06"}));
  EXPECT_EQ(sim().picResult.pixels(), picture) << "the dialog changes nothing else";
}

}  // namespace
}  // namespace draivo::test
