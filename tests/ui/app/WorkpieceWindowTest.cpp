#include <set>

#include "MainWindowFixture.h"
#include "stock/StockPainter.h"

namespace draivo::test {
namespace {

// A rapid move through the bar at its sixth line, then a feed move along it.
constexpr const char* Program =
    ":0102 ;\nN10 G21 G99 ;\nN20 T0101 ;\nN30 G97 S1000 M03 ;\nN40 G00 X60 Z5 ;\n"
    "N50 G00 X30 Z-20 ;\nN60 G00 X46 Z2 ;\nN70 G01 Z-40 F0.2 ;\nN80 G00 X100 Z100 ;\nN90 M30 ;\n";

int stockPixels(const Surface& picture) {
  return int(std::count(picture.pixels().begin(), picture.pixels().end(), StockColour));
}

class WorkpieceTest : public MainWindowTest {
 protected:
  // Fills in the dialog's own blank and accepts it; false when it stayed open.
  bool setBlank(QDialog& dialog, const QString& diameter, const QString& length,
                const QString& chuck, const QString& nose = {}) {
    if (!find<QCheckBox>("chkWerkstuk", &dialog)->isChecked()) click(find("chkWerkstuk", &dialog));
    click(find("optEigen", &dialog));
    typeInto(find<QLineEdit>("txtDiameter", &dialog), diameter);
    typeInto(find<QLineEdit>("txtLengte", &dialog), length);
    typeInto(find<QLineEdit>("txtKlemlengte", &dialog), chuck);
    typeInto(find<QLineEdit>("txtNeusradius", &dialog), nose);
    click(find("cmdOK", &dialog));
    return !dialog.isVisible();
  }
};

// A blank set in "Werkstuk ..." is drawn under the path and cut while the pen animates; the
// warning of the run is listed with its line, and a click on it selects its block.
TEST_F(WorkpieceTest, WorkpieceIsCutWhileTheRunAnimatesAndItsWarningSelectsItsBlock) {
  withModal("mnuBewerkingWerkstuk", [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Werkstuk");
    EXPECT_TRUE(setBlank(dialog, "50", "80", "20"));
  });
  find<QCheckBox>("ChkDirect")->setChecked(false);
  sim().setSpeedValue(1);  // a pause after every pixel: the stock follows the pen
  std::set<int> seen;
  const auto sampling =
      sim().onPenProgress.connect([&](double) { seen.insert(stockPixels(sim().picResult)); });
  const std::string file = writeProgram("p.nc", Program);
  openAndRun(file);
  EXPECT_GT(seen.size(), 10u) << "the stock did not go as the pen went";
  // Z-50 at r 22 is left, as are the jaws; Z-20 at r 22 was cut by the rapid move.
  EXPECT_EQ(sim().picResult.getPixel(490, 265), StockColour);
  EXPECT_EQ(sim().picResult.getPixel(422, 200), JawColour);
  EXPECT_NE(sim().picResult.getPixel(592, 265), StockColour);

  auto* list = find<QListWidget>("lstWaarschuwingen");
  ASSERT_EQ(list->count(), 1);
  EXPECT_TRUE(list->window()->isVisible());
  // It comes up beside the program list, not over it.
  auto* programList = find<QListView>("lstCommands");
  const QRect listOnScreen(programList->mapToGlobal(QPoint(0, 0)), programList->size());
  EXPECT_FALSE(list->window()->frameGeometry().intersects(listOnScreen));
  EXPECT_EQ(list->item(0)->text(), "p.nc regel 6: Ijlgang door materiaal: N50 G00 X30 Z-20 ;");
  EXPECT_EQ(find<QLabel>("lblAantal")->text(), "1 waarschuwing");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  settle();
  EXPECT_EQ(sim().lstCommands.ListIndex(), 5);
  EXPECT_EQ(programList->currentIndex().row(), 5);

  // A run without the workpiece draws no stock and lists no warning.
  withModal("mnuBewerkingWerkstuk", [&](QDialog& dialog) {
    click(find("chkWerkstuk", &dialog));
    click(find("cmdOK", &dialog));
  });
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(file);
  EXPECT_EQ(stockPixels(sim().picResult), 0);
  EXPECT_EQ(list->count(), 0);
}

// Values that cannot make a workpiece keep the dialog open with a Dutch message that names
// the fault; "Annuleren" keeps the workpiece as it was (none).
TEST_F(WorkpieceTest, WorkpieceDialogRefusesBadValuesInDutch) {
  // One fault of each field, that gets the keyboard.
  const std::tuple<QString, QString, QString, QString, QString, const char*> bad[] = {
      {"0", "80", "", "", "De diameter D moet groter dan 0 zijn, niet 0.", "txtDiameter"},
      {"abc", "80", "", "", "De diameter D: \"Dabc\" is geen getal.", "txtDiameter"},
      {"50", "", "", "", "De lengte L ontbreekt.", "txtLengte"},
      {"50", "80", "90", "", "De klemlengte K (90) moet kleiner zijn dan de lengte L (80).",
       "txtKlemlengte"},
      {"50", "80", "20", "50", "De neusradius mag hoogstens 10 zijn, niet 50.", "txtNeusradius"},
  };
  withModal("mnuBewerkingWerkstuk", [&](QDialog& dialog) {
    for (const auto& [diameter, length, chuck, nose, message, field] : bad) {
      EXPECT_FALSE(setBlank(dialog, diameter, length, chuck, nose)) << message.toStdString();
      EXPECT_EQ(find<QLabel>("lblFout", &dialog)->text(), message);
      EXPECT_EQ(dialog.focusWidget(), find(field, &dialog)) << field;
    }
    typeInto(find<QLineEdit>("txtBoring", &dialog), "60");
    EXPECT_FALSE(setBlank(dialog, "50", "80", "20"));
    EXPECT_EQ(find<QLabel>("lblFout", &dialog)->text(),
              "De boring B (60) moet kleiner zijn dan de diameter D (50).");
    click(find("cmdAnnuleren", &dialog));
  });
  openAndRun(writeProgram("p.nc", Program));
  EXPECT_EQ(stockPixels(sim().picResult), 0);
}

// The program's own blank comment is shown in the dialog and used; one that cannot be read is
// told in a message box and the run goes on without a workpiece.
TEST_F(WorkpieceTest, WorkpieceFromTheProgramsBlankComment) {
  const std::string good =
      writeProgram("g.nc", std::string(":0001 ;\n(WERKSTUK D50 L80 K20) ;\n") + (Program + 8));
  openAndRun(good);
  withModal("mnuBewerkingWerkstuk", [&](QDialog& dialog) {
    EXPECT_EQ(find<QLabel>("lblProgramma", &dialog)->text(), "(WERKSTUK D50 L80 K20) ;");
    EXPECT_EQ(find<QLineEdit>("txtDiameter", &dialog)->text(), "50");
    click(find("chkWerkstuk", &dialog));
    EXPECT_TRUE(find<QRadioButton>("optProgramma", &dialog)->isChecked());
    click(find("cmdOK", &dialog));
  });
  openAndRun(good);
  EXPECT_GT(stockPixels(sim().picResult), 0);
  EXPECT_EQ(find<QListWidget>("lstWaarschuwingen")->count(), 1);
  EXPECT_TRUE(dialogs.messages.empty());

  openAndRun(writeProgram("b.nc", ":0001 ;\n(WERKSTUK D50 L80 X3) ;\nG00 X30 Z-10 ;\nM30 ;\n"));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Werkstuk");
  EXPECT_EQ(dialogs.messages[0].text,
            "Regel 2: (WERKSTUK D50 L80 X3) ;\nOnbekend woord \"X3\" (bekend zijn D, L, Z, B, K en "
            "J).\nDe simulatie gaat verder zonder werkstuk.");
  EXPECT_EQ(stockPixels(sim().picResult), 0);
}

}  // namespace
}  // namespace draivo::test
