#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "DialogDriver.h"
#include "design/frmTool.h"

namespace draivo {
namespace {

using test::click;
using test::control;
using test::settle;
using test::typeInto;

const QString DefaultHeader = QString::fromLatin1(
    "\x1B&HE:\x12%\r\n:0000 ;\r\nG21 G40 G99 ;\r\nG00 X250 Z250 T0 ;\r\nT0101 ;\r\n"
    "G50 S3000 ;\r\nG96 S200 M03 ;\r\n");

class ToolDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = std::make_unique<frmTool>([this] { return designEmpty; },
                                       [this](const QString& text) { inserted.push_back(text); });
    ASSERT_TRUE(test::showActive(*dialog));
  }

  QLineEdit* field(const char* name) { return control<QLineEdit>(*dialog, name); }
  QRadioButton* option(const char* name) { return control<QRadioButton>(*dialog, name); }
  QPushButton* button(const char* name) { return control<QPushButton>(*dialog, name); }

  bool designEmpty = true;
  std::vector<QString> inserted;
  std::unique_ptr<frmTool> dialog;
};

TEST_F(ToolDialogTest, OpensWithTheDefaults) {
  EXPECT_EQ(dialog->windowTitle(), "Nieuw gereedschap");
  EXPECT_EQ(dialog->objectName(), "frmTool");
  struct OptionDefault {
    const char* name;
    const char* caption;
    bool checked;
  };
  for (const OptionDefault& o :
       {OptionDefault{"Option1", "Duim", false}, OptionDefault{"Option2", "Metrisch", true},
        OptionDefault{"Option3", "Annulatie", true}, OptionDefault{"Option4", "mm/min", false},
        OptionDefault{"Option5", "mm/tr", true}, OptionDefault{"Option6", "Snijsnelheid", true},
        OptionDefault{"Option7", "Toerental", false},
        OptionDefault{"Option8", "M03 - rechts", true},
        OptionDefault{"Option9", "M04 - links", false}}) {
    SCOPED_TRACE(o.name);
    EXPECT_EQ(option(o.name)->text(), o.caption);
    EXPECT_EQ(option(o.name)->isChecked(), o.checked);
  }
  struct FieldDefault {
    const char* name;
    const char* text;
    const char* toolTip;
  };
  for (const FieldDefault& f :
       {FieldDefault{"txtTool", "01", "Nummer van 1 tot 99"},
        FieldDefault{"txtToolCorrection", "01", "Nummer van 1 tot 99"},
        FieldDefault{"txtDescription", "", "Beschrijving van bewerking - gereedschap"},
        FieldDefault{"txtMaxTour", "3000", ""}, FieldDefault{"txtCutSpeed", "200", ""}}) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(field(f.name)->text(), f.text);
    EXPECT_EQ(field(f.name)->toolTip(), f.toolTip);
  }
  EXPECT_EQ(control<QGroupBox>(*dialog, "Frame2")->title(), "T-Gereedschap : Plaats - Correctie");
  EXPECT_EQ(control<QGroupBox>(*dialog, "Frame3")->title(), "G50 Toerental begrenzing");
  EXPECT_EQ(control<QLabel>(*dialog, "Label1")->text(), "compensatie");
  EXPECT_EQ(button("Command1")->text(), "Toevoegen");
  EXPECT_EQ(button("Command2")->text(), "Annuleren");
}

TEST_F(ToolDialogTest, TabOrderFollowsTheFrames) {
  const QStringList expected{"Option2", "Option3",           "Option4",        "Option5",
                             "txtTool", "txtToolCorrection", "txtDescription", "txtMaxTour",
                             "Option6", "Option7",           "txtCutSpeed",    "Option8",
                             "Option9", "Command1",          "Command2"};
  EXPECT_EQ(test::tabOrderAfter(option("Option1"), static_cast<int>(expected.size())), expected);
}

TEST_F(ToolDialogTest, DefaultsOnAnEmptyDesignWriteTheHeaderAndClose) {
  click(button("Command1"));
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_EQ(inserted.front(), DefaultHeader);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ToolDialogTest, LeavingTheToolFieldByClickingToevoegenPadsIt) {
  designEmpty = false;
  typeInto(field("txtToolCorrection"), "12");
  typeInto(field("txtTool"), "5");
  click(button("Command1"));
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_EQ(inserted.front(),
            "G00 X250 Z250 T0 M09 ;\r\nM01 ;\r\nT0512 ;\r\nG50 S3000 ;\r\nG96 S200 M03 ;\r\n");
}

TEST_F(ToolDialogTest, FieldSelectsItsWholeTextOnFocus) {
  click(field("txtMaxTour"));
  EXPECT_TRUE(field("txtMaxTour")->hasFocus());
  EXPECT_EQ(field("txtMaxTour")->selectedText(), "3000");
}

TEST_F(ToolDialogTest, TabLeavesAValidToolFieldPadded) {
  typeInto(field("txtTool"), "7");
  QTest::keyClick(field("txtTool"), Qt::Key_Tab);
  settle();
  EXPECT_EQ(field("txtTool")->text(), "07");
  EXPECT_TRUE(field("txtToolCorrection")->hasFocus());
  EXPECT_EQ(field("txtToolCorrection")->selectedText(), "01");
}

TEST_F(ToolDialogTest, LeadingZerosAreKeptUnpadded) {
  designEmpty = false;
  typeInto(field("txtTool"), "007");
  click(button("Command1"));
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_TRUE(inserted.front().contains("\r\nT00701 ;\r\n"));
}

TEST_F(ToolDialogTest, AnnulerenInsertsNothing) {
  click(button("Command2"));
  EXPECT_TRUE(inserted.empty());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(ToolDialogTest, ChangeRuleEmptiesTextThatIsNoNumber) {
  typeInto(field("txtMaxTour"), "-");
  EXPECT_EQ(field("txtMaxTour")->text(), "");
  QTest::keyClicks(field("txtMaxTour"), "12a");
  EXPECT_EQ(field("txtMaxTour")->text(), "");
}

TEST_F(ToolDialogTest, LeavingASpeedOptionSetsItsDefault) {
  typeInto(field("txtCutSpeed"), "150");
  click(option("Option7"));
  EXPECT_TRUE(option("Option7")->isChecked());
  click(field("txtMaxTour"));
  EXPECT_EQ(field("txtCutSpeed")->text(), "700");
  typeInto(field("txtCutSpeed"), "1200");
  click(option("Option6"));
  click(option("Option6"));  // unchanged the second time, the field is still reset
  typeInto(field("txtCutSpeed"), "150");
  click(option("Option6"));
  click(field("txtMaxTour"));
  EXPECT_EQ(field("txtCutSpeed")->text(), "200");
}

TEST_F(ToolDialogTest, SpeedRangeFollowsTheMode) {
  click(option("Option7"));
  click(field("txtMaxTour"));
  typeInto(field("txtCutSpeed"), "4000");  // a spindle speed, too high for a cutting speed
  click(button("Command1"));
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_TRUE(inserted.front().endsWith("G97 S4000 M03 ;\r\n"));
}

struct BlockedCase {
  const char* field;
  const char* bad;
  const char* good;
};

void PrintTo(const BlockedCase& c, std::ostream* os) {
  *os << c.field << " " << c.bad;
}

class ToolFieldBlocksTest : public ToolDialogTest,
                            public ::testing::WithParamInterface<BlockedCase> {};

// A field holding a value out of range keeps the focus: neither button reacts until it is fixed.
TEST_P(ToolFieldBlocksTest, NoButtonUntilTheValueIsAccepted) {
  QLineEdit* edit = field(GetParam().field);
  typeInto(edit, GetParam().bad);
  for (const char* name : {"Command2", "Command1"}) {
    click(button(name));
    EXPECT_TRUE(dialog->isVisible()) << name;
    EXPECT_TRUE(edit->hasFocus()) << name;
    EXPECT_EQ(edit->selectedText(), edit->text()) << name;
  }
  QTest::keyClick(edit, Qt::Key_Tab);
  settle();
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_TRUE(inserted.empty());
  typeInto(edit, GetParam().good);
  click(button("Command1"));
  EXPECT_EQ(inserted.size(), 1u);
  EXPECT_FALSE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Fields, ToolFieldBlocksTest,
                         ::testing::Values(BlockedCase{"txtMaxTour", "99", "100"},
                                           BlockedCase{"txtMaxTour", "5001", "5000"},
                                           BlockedCase{"txtMaxTour", "", "3000"},
                                           BlockedCase{"txtTool", "0", "99"},
                                           BlockedCase{"txtTool", "1.5", "2"},
                                           BlockedCase{"txtToolCorrection", "100", "1"},
                                           BlockedCase{"txtCutSpeed", "600", "500"},
                                           BlockedCase{"txtCutSpeed", "1", "2"}));

TEST_F(ToolDialogTest, InvalidFieldKeepsOtherControlsFromReacting) {
  typeInto(field("txtMaxTour"), "99");
  click(option("Option1"));
  click(field("txtDescription"));
  EXPECT_FALSE(option("Option1")->isChecked());
  EXPECT_TRUE(field("txtMaxTour")->hasFocus());
}

TEST(ToolDialogPlacementTest, OpensBelowTheTopLeftOfTheMainWindow) {
  QWidget mainWindow;
  mainWindow.setGeometry(100, 80, 800, 600);
  mainWindow.show();
  frmTool dialog([] { return true; }, [](const QString&) {}, &mainWindow);
  EXPECT_EQ(dialog.pos(), mainWindow.frameGeometry().topLeft() + QPoint(6420 / 15, 945 / 15));
}

}  // namespace
}  // namespace draivo
