// Design mode as the user meets it: the pop-up menu of the design text, its two dialogs and
// "Simulatie".
#include "MainWindowFixture.h"
#include "design/DesignController.h"
#include "design/DesignTextArea.h"

namespace draivo::test {
namespace {

const QString Header = QString::fromLatin1("\x1B&HE:\x12%") +
                       "\r\n:0000 ;\r\nG21 G40 G99 ;\r\nG00 X250 Z250 T0 ;\r\nT0101 ;\r\n"
                       "G50 S3000 ;\r\nG96 S200 M03 ;\r\n";

class DesignTest : public MainWindowTest {
 protected:
  QLineEdit* field(const char* name, const QWidget& in) const { return find<QLineEdit>(name, &in); }
  void press(const char* button, const QWidget& in) const { click(find(button, &in)); }
};

// The first tool writes the program header with the defaults, every next one the retreat and
// M01 first. Typed tool numbers are padded when the field is left, by Tab or by a click on
// "Toevoegen"; leaving "Toerental" or "Snijsnelheid" puts that mode's default speed into the
// field, and the accepted range follows the mode; "Annuleren" writes nothing.
TEST_F(DesignTest, NieuwGereedschapWritesTheHeaderOnceThenRetreats) {
  QTextEdit* design = window->designText();
  emit design->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(window->design()->menu()->isVisible());
  window->design()->menu()->hide();
  withModal("mnuOntwerpNewTool", [this](QDialog& d) { press("Command1", d); });
  EXPECT_EQ(designText(*design), Header);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Header);
  withModal("mnuOntwerpNewTool", [this](QDialog& d) {
    typeInto(field("txtTool", d), "7");
    QTest::keyClick(field("txtTool", d), Qt::Key_Tab);
    settle();
    EXPECT_EQ(field("txtTool", d)->text(), "07");
    QTest::keyClicks(field("txtToolCorrection", d), "12");  // replaces the selected "01"
    QLineEdit* speed = field("txtCutSpeed", d);
    typeInto(speed, "150");
    for (const auto& [option, value] : {std::pair{"Option7", "700"}, {"Option6", "200"}}) {
      press(option, d);
      click(field("txtMaxTour", d));
      EXPECT_EQ(speed->text(), value);
    }
    press("Option7", d);
    typeInto(speed, "4000");  // a spindle speed, too high for a cutting speed
    typeInto(field("txtTool", d), "5");
    press("Command1", d);
    EXPECT_FALSE(d.isVisible());
  });
  withModal("mnuOntwerpNewTool", [this](QDialog& d) { press("Command2", d); });
  EXPECT_EQ(
      designText(*design),
      Header + "G00 X250 Z250 T0 M09 ;\r\nM01 ;\r\nT0512 ;\r\nG50 S3000 ;\r\nG97 S4000 M03 ;\r\n");
}

struct BlockedCase {
  const char* item;  // the dialog's menu item
  int tab;           // the cycle dialog's tab
  const char* field;
  const char* bad;
  const char* good;
};

class FieldBlocks : public DesignTest, public ::testing::WithParamInterface<BlockedCase> {};

// A field holding a value it does not accept keeps the focus, all selected: no button,
// option, other field, tab or Tab key reacts until the value is fixed.
TEST_P(FieldBlocks, NothingReactsUntilTheValueIsAccepted) {
  const BlockedCase& c = GetParam();
  withModal(c.item, [&](QDialog& dialog) {
    auto* tabs = dialog.findChild<QTabWidget*>("SSTab1");
    QWidget& page = tabs ? *tabs->widget(c.tab) : dialog;
    if (tabs) {
      tabs->setCurrentIndex(c.tab);
      typeInto(field("txtsPostX", page), "4");  // a new tab starts in this field
    }
    QLineEdit* edit = field(c.field, page);
    typeInto(edit, c.bad);
    const auto expectBlocked = [&](const QString& what) {
      EXPECT_TRUE(dialog.isVisible() && edit->hasFocus()) << what.toStdString();
      EXPECT_EQ(edit->selectedText(), edit->text()) << what.toStdString();
    };
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
      // Leaving a speed mode option puts its default into the speed field, failing or not.
      if (button->objectName() == "Option6" || button->objectName() == "Option7") continue;
      const bool checked = button->isChecked();
      click(button);
      expectBlocked(button->objectName());
      EXPECT_EQ(button->isChecked(), checked) << button->objectName().toStdString();
    }
    for (QLineEdit* other : page.findChildren<QLineEdit*>()) {
      if (other != edit) click(other);
    }
    QTest::keyClick(edit, Qt::Key_Tab);
    settle();
    expectBlocked("fields and Tab");
    if (tabs) {
      QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                        tabs->tabBar()->tabRect((c.tab + 1) % 3).center());
      settle();
      EXPECT_EQ(tabs->currentIndex(), c.tab);
    }
    typeInto(edit, c.good);
    press(tabs ? "cmdCancel" : "Command2", page);
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_EQ(designText(*window->designText()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldBlocks,
    ::testing::Values(BlockedCase{"mnuOntwerpNewTool", 0, "txtMaxTour", "99", "100"},
                      BlockedCase{"mnuOntwerpNewTool", 0, "txtTool", "1.5", "99"},
                      BlockedCase{"mnuOntwerpG9094", 0, "txtsPostX", "0", "52"},
                      BlockedCase{"mnuOntwerpG9094", 0, "txtsPosZ", "-", "2"},
                      BlockedCase{"mnuOntwerpG9094", 0, "txtstartX", "", "48"},
                      BlockedCase{"mnuOntwerpG9094", 2, "txteindX", "0", "-3"}));

// Paints of the label other than white.
int drawnPixels(const QLabel& picture) {
  const QImage image = picture.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
  return int(std::count_if(pixels, pixels + image.width() * image.height(),
                           [](QRgb pixel) { return pixel != qRgb(255, 255, 255); }));
}

// "Toevoegen" writes the cycle of the tab's values and the dialog stays open for the next; a
// new tab starts in its first field, all selected; "Voorbeeld" draws the cuts. More than
// 10,000 cuts are refused in a box titled as the application, and nothing is written.
TEST_F(DesignTest, AutomatischRepeterenWritesTheCycleOfEachTab) {
  withModal("mnuOntwerpG9094", [&](QDialog& dialog) {
    auto* tabs = find<QTabWidget>("SSTab1", &dialog);
    const auto tabField = [&](int tab, const char* name) {
      return field(name, *tabs->widget(tab));
    };
    const auto fill = [&](int tab,
                          std::initializer_list<std::pair<const char*, const char*>> values) {
      for (const auto& [name, value] : values) typeInto(tabField(tab, name), value);
    };
    fill(0, {{"txtsPostX", "52"},
             {"txtsPosZ", "2"},
             {"txtstartX", "48"},
             {"txtstartZ", "-30"},
             {"txteindX", "40"}});
    for (const char* button : {"chkKoelwater", "cmdAdd", "cmdAdd", "cmdVoorbeeld"}) {
      press(button, *tabs->widget(0));
    }
    const QString cycle =
        "G00 X52 Z2 M08 ;\r\nG90 X48 Z-30 F0.2 ;\r\nX45 ;\r\nX42 ;\r\nX40 ;\r\nG00 X52 Z2 ;\r\n";
    EXPECT_EQ(designText(*window->designText()), cycle + cycle);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_GT(drawnPixels(*find<QLabel>("picVoorbeeld", tabs->widget(0))), 100);
    fill(0, {{"txtstapX", "0.0001"}});
    press("cmdAdd", *tabs->widget(0));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Draivo");
    EXPECT_EQ(dialogs.messages[0].text,
              "Te veel sneden: meer dan 10000. Kies een grotere stap per snede.");
    EXPECT_EQ(designText(*window->designText()), cycle + cycle);

    // Tab 1 is chosen by a click on its tab, tab 2 by Ctrl+Tab.
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    for (int tab : {1, 2}) {
      if (tab == 2) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
      settle();
      ASSERT_EQ(tabs->currentIndex(), tab);
      EXPECT_EQ(QApplication::focusWidget(), tabField(tab, "txtsPostX"));
      QTest::keyClicks(tabField(tab, "txtsPostX"), "52");
      EXPECT_EQ(tabField(tab, "txtsPostX")->text(), "52");  // the "0" was selected
    }
    fill(2, {{"txtsPosZ", "2"}, {"txtstartZ", "-1"}, {"txtFeed", "0.15"}, {"txteindX", "-3"}});
    press("cmdAdd", *tabs->widget(2));
    EXPECT_EQ(
        designText(*window->designText()),
        cycle + cycle + "G00 X52 Z2 ;\r\nG94 X0 Z-1 F0.15 ;\r\nZ-2 ;\r\nZ-3 ;\r\nG00 X52 Z2 ;\r\n");
    EXPECT_EQ(tabField(0, "txtstartZ")->text(), "-30");  // each tab keeps its own values
  });
}

// "M30 Einde programma" ends the design; "Simulatie" writes it whole over an earlier, longer
// design file in the program folder and runs it. When the file cannot be written the user is
// told and nothing runs.
TEST_F(DesignTest, SimulatieRunsTheDesign) {
  writeProgram("T0000.Nc", "an earlier design that is much longer than the new one\r\n");
  window->designText()->setPlainText(":0000 ;\nG00 X52 Z2\nG01 Z-10 F0.2\n");
  window->designText()->moveCursor(QTextCursor::End);
  action("mnuOntwerpEinde")->trigger();
  drive([this] { action("mnuOntwerpSimulatie")->trigger(); });
  EXPECT_EQ(contentOf(pathOf("T0000.Nc")),
            ":0000 ;\r\nG00 X52 Z2\r\nG01 Z-10 F0.2\r\nG00 X250 Z250 T0 M09 ;\r\nM30 ;\r\n%\x14");
  EXPECT_EQ(QString::fromStdString(sim().dialogFileName), pathOf("T0000.Nc"));
  EXPECT_EQ(gateStops, std::vector<int>{0});
  EXPECT_EQ(find<QListView>("lstCommands")->model()->rowCount(), 5);

  window->design()->setProgramFolder(pathOf("missing"));
  gateStops.clear();
  drive([this] { action("mnuOntwerpSimulatie")->trigger(); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Simulatie");
  EXPECT_TRUE(gateStops.empty());
}

}  // namespace
}  // namespace draivo::test
