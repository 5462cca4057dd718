#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>

#include "DialogDriver.h"
#include "design/frmG9094.h"

namespace draivo {
namespace {

using test::click;
using test::control;
using test::settle;
using test::typeInto;

struct Message {
  QString text;
  QString title;
};

class CycleDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog =
        std::make_unique<frmG9094>([this](const QString& text) { inserted.push_back(text); },
                                   [this](QWidget*, const QString& text, const QString& title) {
                                     messages.push_back({text, title});
                                   });
    ASSERT_TRUE(test::showActive(*dialog));
    tabs = control<QTabWidget>(*dialog, "SSTab1");
  }

  void showTab(int index) {
    tabs->setCurrentIndex(index);
    settle();
  }
  template <typename Widget>
  Widget* on(int index, const char* name) {
    return control<Widget>(*tabs->widget(index), name);
  }
  QLineEdit* field(int index, const char* name) { return on<QLineEdit>(index, name); }
  QPushButton* button(int index, const char* name) { return on<QPushButton>(index, name); }

  std::vector<QString> inserted;
  std::vector<Message> messages;
  std::unique_ptr<frmG9094> dialog;
  QTabWidget* tabs = nullptr;
};

struct TabDefaults {
  int index;
  const char* caption;
  const char* firstCutRow;
  const char* lastCutColumn;
  const char* step;
  int gCode;
};

void PrintTo(const TabDefaults& c, std::ostream* os) {
  *os << c.caption;
}

class CycleTabDefaultsTest : public CycleDialogTest,
                             public ::testing::WithParamInterface<TabDefaults> {};

TEST_P(CycleTabDefaultsTest, OpensWithTheDefaults) {
  const TabDefaults& d = GetParam();
  EXPECT_EQ(tabs->tabText(d.index), d.caption);
  const QWidget& tab = *tabs->widget(d.index);
  struct FieldDefault {
    const char* name;
    const char* text;
    const char* toolTip;
  };
  for (const FieldDefault& f :
       {FieldDefault{"txtsPostX", "0", ""}, FieldDefault{"txtsPosZ", "0", ""},
        FieldDefault{"txtstartX", "0", ""}, FieldDefault{"txtstartZ", "0", ""},
        FieldDefault{"txtConisch", "0", "Conisiteit"}, FieldDefault{"txtFeed", "0.2", "Voeding"},
        FieldDefault{"txteindX", "0", ""}, FieldDefault{"txtstapX", d.step, "Stap per snede"}}) {
    SCOPED_TRACE(f.name);
    QLineEdit* edit = control<QLineEdit>(tab, f.name);
    EXPECT_EQ(edit->text(), f.text);
    EXPECT_EQ(edit->toolTip(), f.toolTip);
    EXPECT_EQ(edit->property("Index").toInt(), d.gCode);
  }
  EXPECT_EQ(control<QCheckBox>(tab, "chkKoelwater")->text(), "Koelwater aan");
  EXPECT_FALSE(control<QCheckBox>(tab, "chkKoelwater")->isChecked());
  EXPECT_EQ(control<QLabel>(tab, "Label4")->text(), QString::fromUtf8(d.firstCutRow));
  EXPECT_EQ(control<QLabel>(tab, "Label10")->text(), d.lastCutColumn);
  EXPECT_EQ(control<QPushButton>(tab, "cmdVoorbeeld")->text(), "Voorbeeld");
  EXPECT_EQ(control<QPushButton>(tab, "cmdAdd")->text(), "Toevoegen");
  EXPECT_EQ(control<QPushButton>(tab, "cmdCancel")->text(), "Sluiten");
  const QStringList order{"txtsPosZ",     "chkKoelwater", "txtstartX", "txtstartZ",
                          "txtConisch",   "txtFeed",      "txteindX",  "txtstapX",
                          "cmdVoorbeeld", "cmdAdd",       "cmdCancel"};
  EXPECT_EQ(test::tabOrderAfter(control<QLineEdit>(tab, "txtsPostX"), order.size()), order);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, CycleTabDefaultsTest,
    ::testing::Values(TabDefaults{0, "G90 Langssnede", "1é Langssnede :", "X", "3", 90},
                      TabDefaults{1, "G92 Schroefdraad", "1é Langssnede :", "X", "3", 92},
                      TabDefaults{2, "G94 Dwarssnede", "1é Dwarssnede :", "Z", "1", 94}));

TEST_F(CycleDialogTest, OpensOnTheFirstTab) {
  EXPECT_EQ(dialog->windowTitle(), "Automatisch repeteren");
  EXPECT_EQ(tabs->currentIndex(), 0);
}

// Whichever way the user changes the tab, its first field takes the focus with its whole text
// selected, so that typing replaces the value.
TEST_F(CycleDialogTest, NewTabSelectsItsFirstField) {
  QTabBar* bar = tabs->tabBar();
  const std::pair<int, std::function<void()>> switches[] = {
      {1, [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center()); }},
      {2, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier); }},
      {0, [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center()); }},
  };
  for (const auto& [index, change] : switches) {
    change();
    settle();
    QLineEdit* first = field(index, "txtsPostX");
    EXPECT_EQ(tabs->currentIndex(), index);
    EXPECT_EQ(QApplication::focusWidget(), first) << index;
    EXPECT_EQ(first->selectedText(), first->text()) << index;
    QTest::keyClicks(first, "52");  // replaces the default, which could not be left
    EXPECT_EQ(first->text(), "52") << index;
  }
}

TEST_F(CycleDialogTest, ToevoegenInsertsTheCycleAndStaysOpen) {
  typeInto(field(0, "txtsPostX"), "52");
  typeInto(field(0, "txtsPosZ"), "2");
  click(on<QCheckBox>(0, "chkKoelwater"));
  typeInto(field(0, "txtstartX"), "48");
  typeInto(field(0, "txtstartZ"), "-30");
  typeInto(field(0, "txteindX"), "40");
  click(button(0, "cmdAdd"));
  click(button(0, "cmdAdd"));
  const QString expected =
      "G00 X52 Z2 M08 ;\r\nG90 X48 Z-30 F0.2 ;\r\nX45 ;\r\nX42 ;\r\nX40 ;\r\nG00 X52 Z2 ;\r\n";
  ASSERT_EQ(inserted.size(), 2u);
  EXPECT_EQ(inserted[0], expected);
  EXPECT_EQ(inserted[1], expected);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(field(0, "txtstartX")->text(), "48");
}

TEST_F(CycleDialogTest, FacingTabWritesItsOwnCycle) {
  showTab(2);
  typeInto(field(2, "txtsPostX"), "52");
  typeInto(field(2, "txtsPosZ"), "2");
  typeInto(field(2, "txtstartZ"), "-1");
  typeInto(field(2, "txtFeed"), "0.15");
  typeInto(field(2, "txteindX"), "-3");
  click(button(2, "cmdAdd"));
  ASSERT_EQ(inserted.size(), 1u);
  EXPECT_EQ(inserted[0],
            "G00 X52 Z2 ;\r\nG94 X0 Z-1 F0.15 ;\r\nZ-2 ;\r\nZ-3 ;\r\nG00 X52 Z2 ;\r\n");
  EXPECT_EQ(field(0, "txtstartZ")->text(), "0");  // the other tabs keep their own values
}

TEST_F(CycleDialogTest, SignedFieldKeepsALoneMinus) {
  typeInto(field(0, "txtsPosZ"), "-");
  EXPECT_EQ(field(0, "txtsPosZ")->text(), "-");
  QTest::keyClicks(field(0, "txtsPosZ"), "x");
  EXPECT_EQ(field(0, "txtsPosZ")->text(), "");
  QTest::keyClicks(field(0, "txtsPosZ"), "-2");
  EXPECT_EQ(field(0, "txtsPosZ")->text(), "-2");
  typeInto(field(0, "txtsPostX"), "-");
  EXPECT_EQ(field(0, "txtsPostX")->text(), "");
}

struct BlockedCase {
  int index;
  const char* field;
  const char* bad;
  const char* good;
};

void PrintTo(const BlockedCase& c, std::ostream* os) {
  *os << "tab " << c.index << " " << c.field << " \"" << c.bad << '"';
}

class CycleFieldBlocksTest : public CycleDialogTest,
                             public ::testing::WithParamInterface<BlockedCase> {};

// A failing field holds the focus: no button, "Sluiten" included, and no other tab reacts.
TEST_P(CycleFieldBlocksTest, NothingReactsUntilTheValueIsAccepted) {
  const BlockedCase& c = GetParam();
  showTab(c.index);
  typeInto(field(c.index, "txtsPostX"), "4");  // a new tab starts in this field
  QLineEdit* edit = field(c.index, c.field);
  typeInto(edit, c.bad);
  for (const char* name : {"cmdCancel", "cmdAdd", "cmdVoorbeeld"}) {
    click(button(c.index, name));
    EXPECT_TRUE(dialog->isVisible()) << name;
    EXPECT_TRUE(edit->hasFocus()) << name;
    EXPECT_EQ(edit->selectedText(), edit->text()) << name;
  }
  EXPECT_TRUE(inserted.empty());
  const QRect otherTab = tabs->tabBar()->tabRect((c.index + 1) % 3);
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, otherTab.center());
  settle();
  EXPECT_EQ(tabs->currentIndex(), c.index);
  typeInto(edit, c.good);
  click(button(c.index, "cmdCancel"));
  EXPECT_FALSE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Fields, CycleFieldBlocksTest,
                         ::testing::Values(BlockedCase{0, "txtsPostX", "0", "52"},
                                           BlockedCase{0, "txtsPosZ", "-", "2"},
                                           BlockedCase{0, "txtstartX", "", "48"},
                                           BlockedCase{1, "txtstartZ", "0", "-20"},
                                           BlockedCase{0, "txtConisch", "-", "-1"},
                                           BlockedCase{1, "txtFeed", "0", "1.5"},
                                           BlockedCase{1, "txtstapX", "0", "0.2"},
                                           BlockedCase{2, "txteindX", "0", "-3"},
                                           BlockedCase{2, "txtstartX", "5", "0"}));

TEST_F(CycleDialogTest, VoorbeeldDrawsTheCuts) {
  typeInto(field(0, "txtsPostX"), "52");
  typeInto(field(0, "txtsPosZ"), "2");
  typeInto(field(0, "txtstartX"), "48");
  typeInto(field(0, "txtstartZ"), "-30");
  typeInto(field(0, "txteindX"), "40");
  click(button(0, "cmdVoorbeeld"));
  const QLabel* picture = on<QLabel>(0, "picVoorbeeld");
  const QImage image = picture->pixmap().toImage();
  ASSERT_EQ(image.size(), QSize(frmG9094::PreviewWidth, frmG9094::PreviewHeight));
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) != qRgb(255, 255, 255);
  }
  EXPECT_GT(drawn, 100);
  EXPECT_TRUE(inserted.empty());
  EXPECT_TRUE(on<QLabel>(1, "picVoorbeeld")->pixmap().isNull());
}

TEST_F(CycleDialogTest, TooManyCutsAreRefusedWithAMessage) {
  typeInto(field(0, "txtsPostX"), "1000");
  typeInto(field(0, "txtstartX"), "999");
  typeInto(field(0, "txtstapX"), "0.01");
  click(button(0, "cmdAdd"));
  EXPECT_TRUE(inserted.empty());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Automatisch repeteren");
  EXPECT_TRUE(messages[0].text.contains("10000"));
  EXPECT_TRUE(dialog->isVisible());
}

TEST(CycleDialogPlacementTest, OpensBelowTheTopLeftOfTheMainWindow) {
  QWidget mainWindow;
  mainWindow.setGeometry(120, 90, 800, 600);
  mainWindow.show();
  frmG9094 dialog([](const QString&) {}, [](QWidget*, const QString&, const QString&) {},
                  &mainWindow);
  EXPECT_EQ(dialog.pos(), mainWindow.frameGeometry().topLeft() + QPoint(2415 / 15, 945 / 15));
}

}  // namespace
}  // namespace draivo
