#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
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
  int count = 0;
  for (const Colour colour : picture.pixels()) count += colour == StockColour ? 1 : 0;
  return count;
}

// Fills in the dialog's own blank and accepts it; false when it stayed open.
bool setBlank(QDialog& dialog, const QString& diameter, const QString& length,
              const QString& chuck, const QString& nose = {}) {
  auto* on = dialog.findChild<QCheckBox*>("chkWerkstuk");
  if (!on->isChecked()) click(on);
  click(dialog.findChild<QRadioButton*>("optEigen"));
  typeInto(dialog.findChild<QLineEdit*>("txtDiameter"), diameter);
  typeInto(dialog.findChild<QLineEdit*>("txtLengte"), length);
  typeInto(dialog.findChild<QLineEdit*>("txtKlemlengte"), chuck);
  typeInto(dialog.findChild<QLineEdit*>("txtNeusradius"), nose);
  QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  settle();
  return !dialog.isVisible();
}

// A blank set in "Werkstuk ..." is drawn under the path and cut while the pen animates; the
// warning of the run is listed with its line, and a click on it selects its block.
TEST_F(MainWindowTest, WorkpieceIsCutWhileTheRunAnimatesAndItsWarningSelectsItsBlock) {
  withModal(action("mnuBewerkingWerkstuk"), [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Werkstuk");
    EXPECT_TRUE(setBlank(dialog, "50", "80", "20"));
  });
  find<QCheckBox>("ChkDirect")->setChecked(false);
  sim().setSpeedValue(1);  // a pause after every pixel: the stock follows the pen
  std::set<int> seen;
  const auto sampling = sim().onPenProgress.connect([&](double) { seen.insert(stockPixels(sim().picResult)); });
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
  EXPECT_EQ(find<QListView>("lstCommands")->currentIndex().row(), 5);

  // A run without the workpiece draws no stock and lists no warning.
  withModal(action("mnuBewerkingWerkstuk"), [&](QDialog& dialog) {
    click(dialog.findChild<QCheckBox*>("chkWerkstuk"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  });
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(file);
  EXPECT_EQ(stockPixels(sim().picResult), 0);
  EXPECT_EQ(list->count(), 0);
}

// Values that cannot make a workpiece keep the dialog open with a Dutch message that names
// the fault; "Annuleren" keeps the workpiece as it was (none).
TEST_F(MainWindowTest, WorkpieceDialogRefusesBadValuesInDutch) {
  struct Bad {
    QString diameter, length, chuck, nose, message;
    const char* field;  // that gets the keyboard
  };
  const Bad bad[] = {
      {"-5", "80", "", "", "De diameter D moet groter dan 0 zijn, niet -5.", "txtDiameter"},
      {"0", "80", "", "", "De diameter D moet groter dan 0 zijn, niet 0.", "txtDiameter"},
      {"50", "", "", "", "De lengte L ontbreekt.", "txtLengte"},
      {"50", "80000", "", "", "De lengte L mag hoogstens 2000 zijn, niet 80000.", "txtLengte"},
      {"abc", "80", "", "", "De diameter D: \"Dabc\" is geen getal.", "txtDiameter"},
      {"50", "80", "90", "", "De klemlengte K (90) moet kleiner zijn dan de lengte L (80).",
       "txtKlemlengte"},
      {"50", "80", "20", "0", "De neusradius moet groter dan 0 zijn, niet 0.", "txtNeusradius"},
      {"50", "80", "20", "50", "De neusradius mag hoogstens 10 zijn, niet 50.", "txtNeusradius"},
  };
  withModal(action("mnuBewerkingWerkstuk"), [&](QDialog& dialog) {
    for (const Bad& b : bad) {
      EXPECT_FALSE(setBlank(dialog, b.diameter, b.length, b.chuck, b.nose)) << b.message.toStdString();
      EXPECT_EQ(dialog.findChild<QLabel*>("lblFout")->text(), b.message);
      EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>(b.field)) << b.field;
    }
    typeInto(dialog.findChild<QLineEdit*>("txtBoring"), "60");
    EXPECT_FALSE(setBlank(dialog, "50", "80", "20"));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblFout")->text(),
              "De boring B (60) moet kleiner zijn dan de diameter D (50).");
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAnnuleren"), Qt::LeftButton);
  });
  openAndRun(writeProgram("p.nc", Program));
  EXPECT_EQ(stockPixels(sim().picResult), 0);
}

// The program's own blank comment is shown in the dialog and used; one that cannot be read is
// told in a message box and the run goes on without a workpiece.
TEST_F(MainWindowTest, WorkpieceFromTheProgramsBlankComment) {
  const std::string good = writeProgram("g.nc", std::string(":0001 ;\n(WERKSTUK D50 L80 K20) ;\n") +
                                                    (Program + 8));
  openAndRun(good);
  withModal(action("mnuBewerkingWerkstuk"), [&](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QLabel*>("lblProgramma")->text(), "(WERKSTUK D50 L80 K20) ;");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtDiameter")->text(), "50");
    click(dialog.findChild<QCheckBox*>("chkWerkstuk"));
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("optProgramma")->isChecked());
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
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
