#include "MainWindowFixture.h"

namespace draivo::test {
namespace {

// 60 of feed at 100 mm/min; rapid axis travel 250 and 150.
constexpr const char* Program =
    ":0013 ;\nN10 G21 G98 ;\nN20 T0101 ;\nN30 G00 X20 Z0 ;\nN40 G01 Z-50 F100 ;\n"
    "N50 G01 X40 ;\nN60 G00 X100 Z100 ;\nN70 M30 ;\n";

std::vector<QStringList> cellsOf(const QTableWidget* grid) {
  std::vector<QStringList> cells(static_cast<std::size_t>(grid->rowCount()));
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) cells[std::size_t(r)] << grid->item(r, c)->text();
  }
  return cells;
}

// "Bewerkingstijd ..." shows the last run and changes nothing else; its table follows the
// rapid rate typed in. A rate that cannot be used (0, nothing, letters, too large, pasted over
// the field) leaves the table at the last good rate and says so, with the field marked, also
// after the field is left; the next good rate recomputes the table and clears both.
TEST_F(MainWindowTest, MachiningTimeDialogFollowsTheRapidRateAndMarksOneThatCannotBeUsed) {
  openAndRun(writeProgram("p.nc", Program));
  const auto picture = sim().picResult.pixels();
  withModal("mnuBewerkingBewerkingstijd", [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Bewerkingstijd");
    auto* grid = find<QTableWidget>("grdBewerkingstijd");
    auto* rate = find<QLineEdit>("txtIJlgang");
    auto* note = find<QLabel>("lblOpmerking");
    const QStringList total{"Totaal",    "0:00:36.0", "0:00:02.4", "0:00:00.0",
                            "0:00:38.4", "60.00",     "460.06"};
    EXPECT_EQ(cellsOf(grid), (std::vector{QStringList{"T0101"} + total.mid(1), total}));
    // The colour inside the field, right of its text.
    const auto look = [rate] {
      return rate->grab().toImage().pixelColor(rate->width() - 6, rate->height() / 2);
    };
    const QColor plain = look();
    typeInto(rate, "4000");
    const std::vector<QStringList> at4000 = cellsOf(grid);
    ASSERT_EQ(at4000.size(), 2u);
    EXPECT_EQ(at4000[1], (QStringList{"Totaal", "0:00:36.0", "0:00:06.0", "0:00:00.0", "0:00:42.0",
                                      "60.00", "460.06"}));
    for (const QString bad : {"0", "", "snel", "1000001", "-5", "40 00"}) {
      SCOPED_TRACE(bad.toStdString());
      rate->selectAll();
      rate->insert(bad);  // as pasted: the numbers on the way to it would be rates of their own
      settle();
      EXPECT_EQ(cellsOf(grid), at4000);
      EXPECT_TRUE(note->isVisible());
      EXPECT_TRUE(note->text().contains("Niet herberekend") && note->text().contains("4000 mm/min"))
          << note->text().toStdString();
      EXPECT_FALSE(note->geometry().intersects(grid->geometry()));  // the dialog grew
      EXPECT_NE(look(), plain);
      find("cmdSluiten", &dialog)->setFocus();  // the field is left
      settle();
      EXPECT_EQ(rate->text(), bad);
      EXPECT_EQ(cellsOf(grid), at4000);
    }
    typeInto(rate, "10000,0");
    EXPECT_NE(cellsOf(grid), at4000);
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(look(), plain);
  });
  EXPECT_EQ(sim().picResult.pixels(), picture);
}

}  // namespace
}  // namespace draivo::test
