#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "EditorFixture.h"
#include "editor/KeepOnTop.h"
#include "editor/SearchDialog.h"

namespace draivo::test {
namespace {

const QString NotFound =
    "Het doorzoeken van het document is voltooid. Het gezochte item is niet gevonden";

class SearchFixture : public EditorFixture {
 protected:
  void SetUp() override {
    editor = openEditor(writeFile("A.nc", "G01 X1 ;\r\nG00 X2 ;\r\ng01 Z3 ;"));
    editor->show();
  }
  void select(int start, int end) {
    QTextCursor cursor = editor->textArea()->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->textArea()->setTextCursor(cursor);
  }
  QComboBox* box(SearchDialog* dialog, const char* name) {
    return dialog->findChild<QComboBox*>(QString::fromLatin1(name));
  }
  QPushButton* button(SearchDialog* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  QString selection() const { return editor->textArea()->textCursor().selectedText(); }
  int selectionStart() const { return editor->textArea()->textCursor().selectionStart(); }
  bool editorOnTop() const { return editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

  std::unique_ptr<frmNC_Editor> editor;
};

TEST_F(SearchFixture, FindDialogOpensOnTopWithTheSelectionInItsHistory) {
  KeepOnTop(editor.get(), true);
  select(4, 6);
  trigger(*editor, "mnuBewerkenZoeken");
  SearchDialog* find = editor->findDialog();
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->objectName(), "frmFind");
  EXPECT_EQ(find->windowTitle(), "Zoeken");
  EXPECT_TRUE(find->isVisible());
  EXPECT_TRUE(find->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(editorOnTop());
  EXPECT_EQ(box(find, "Combo1")->currentText(), "X1");
  EXPECT_FALSE(button(find, "cmdFind")->isVisible());
  EXPECT_EQ(button(find, "cmdFind")->text(), "Volgende zoeken");
  EXPECT_EQ(button(find, "cmdFind")->geometry(), button(find, "cmdZoeken")->geometry());
  EXPECT_EQ(find->findChild<QLabel*>()->text(), "Zoeken naar :");
  EXPECT_TRUE(find->rect().contains(button(find, "cmdCancel")->geometry()));
  EXPECT_LT(find->height(), 3 * button(find, "cmdCancel")->height() + 20);

  trigger(*editor, "Zoeken");  // opening again adds the entry again
  EXPECT_EQ(editor->findDialog(), find);
  EXPECT_EQ(box(find, "Combo1")->count(), 2);
}

TEST_F(SearchFixture, FindWalksThroughTheMatchesAndEndsWithAMessage) {
  trigger(*editor, "Zoeken");
  SearchDialog* find = editor->findDialog();
  box(find, "Combo1")->setEditText("g01");
  button(find, "cmdZoeken")->click();
  EXPECT_EQ(selectionStart(), 0);
  EXPECT_EQ(selection(), "G01");
  EXPECT_EQ(find->searchPosition(), 1u);
  EXPECT_FALSE(button(find, "cmdZoeken")->isVisible());
  EXPECT_TRUE(button(find, "cmdFind")->isVisible());
  EXPECT_EQ(box(find, "Combo1")->itemText(box(find, "Combo1")->count() - 1), "g01");

  button(find, "cmdFind")->click();
  EXPECT_EQ(selectionStart(), 18);
  EXPECT_TRUE(dialogs->messages.empty());

  button(find, "cmdFind")->click();
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text, NotFound);
  EXPECT_EQ(dialogs->messages[0].icon, QMessageBox::Information);
  EXPECT_EQ(dialogs->messages[0].title, "Draivo");
  settle();
  EXPECT_EQ(editor->findDialog(), nullptr);
  EXPECT_TRUE(editorOnTop());
}

TEST_F(SearchFixture, ChangingTheSearchTextStartsAtTheBeginningAgain) {
  trigger(*editor, "Zoeken");
  SearchDialog* find = editor->findDialog();
  box(find, "Combo1")->setEditText("X");
  button(find, "cmdZoeken")->click();
  button(find, "cmdFind")->click();
  EXPECT_EQ(selectionStart(), 13);
  box(find, "Combo1")->setEditText("G0");
  EXPECT_EQ(find->searchPosition(), 0u);
  button(find, "cmdFind")->click();
  EXPECT_EQ(selectionStart(), 0);
}

TEST_F(SearchFixture, CancelClosesTheDialogAndPutsTheEditorOnTop) {
  trigger(*editor, "mnuBewerkenVervangen");
  SearchDialog* replace = editor->replaceDialog();
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(replace->windowTitle(), "Vervangen");
  for (const char* name : {"cmdReplace", "cmdReplaceAll", "cmdCancel"}) {
    EXPECT_TRUE(replace->rect().contains(button(replace, name)->geometry())) << name;
  }
  EXPECT_EQ(button(replace, "cmdReplaceAll")->text(), "A&lles vervangen");
  button(replace, "cmdCancel")->click();
  settle();
  EXPECT_EQ(editor->replaceDialog(), nullptr);
  EXPECT_TRUE(editorOnTop());
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(SearchFixture, ReplaceWithoutSelectionInsertsAtTheCaret) {
  select(4, 4);
  trigger(*editor, "mnuBewerkenVervangen");
  SearchDialog* replace = editor->replaceDialog();
  EXPECT_EQ(box(replace, "Combo2")->count(), 0);
  box(replace, "Combo2")->setEditText("F.2 ");
  button(replace, "cmdReplace")->click();
  EXPECT_TRUE(textOf(*editor).startsWith("G01 F.2 X1 ;"));
  EXPECT_EQ(selection(), "F.2 ");
  EXPECT_EQ(box(replace, "Combo2")->count(), 0);
}

TEST_F(SearchFixture, ReplaceFindThenReplaceTheMatch) {
  trigger(*editor, "mnuBewerkenVervangen");
  SearchDialog* replace = editor->replaceDialog();
  box(replace, "Combo1")->setEditText("x2");
  box(replace, "Combo2")->setEditText("X20");
  button(replace, "cmdZoeken")->click();
  button(replace, "cmdReplace")->click();
  EXPECT_EQ(textOf(*editor), "G01 X1 ;\nG00 X20 ;\ng01 Z3 ;");
}

struct ReplaceAllCase {
  std::string name;
  QString search;
  QString replacement;
  QString expected;
  int count;
};

void PrintTo(const ReplaceAllCase& c, std::ostream* out) {
  *out << c.name;
}

class ReplaceAllTest : public SearchFixture, public testing::WithParamInterface<ReplaceAllCase> {};

TEST_P(ReplaceAllTest, ReplacesEverythingOnceAndCountsIt) {
  const auto& c = GetParam();
  trigger(*editor, "mnuBewerkenVervangen");
  SearchDialog* replace = editor->replaceDialog();
  box(replace, "Combo1")->setEditText(c.search);
  box(replace, "Combo2")->setEditText(c.replacement);
  const int snapshots = editor->document().undo().index();
  button(replace, "cmdReplaceAll")->click();
  EXPECT_EQ(textOf(*editor), c.expected);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].text,
            "Het doorzoeken van het document is voltooid. Het gezochte item is " +
                QString::number(c.count) + " keer vervangen");
  EXPECT_EQ(dialogs->messages[0].icon, QMessageBox::Information);
  EXPECT_EQ(editor->document().undo().index(), snapshots + (c.count > 0 ? 1 : 0));
  expectHistoryInStep(*editor);
  settle();
  EXPECT_EQ(editor->replaceDialog(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    testing::Values(ReplaceAllCase{"NotCaseSensitive", "g01", "G02", "G02 X1 ;\nG00 X2 ;\nG02 Z3 ;",
                                   2},
                    ReplaceAllCase{"NoMatch", "G03", "G02", "G01 X1 ;\nG00 X2 ;\ng01 Z3 ;", 0},
                    ReplaceAllCase{"ReplacementHoldsTheSearchText", "X", "XX",
                                   "G01 XX1 ;\nG00 XX2 ;\ng01 Z3 ;", 2},
                    ReplaceAllCase{"Removal", " ;", "", "G01 X1\nG00 X2\ng01 Z3", 3}),
    [](const testing::TestParamInfo<ReplaceAllCase>& info) { return info.param.name; });

TEST_F(SearchFixture, ClosingTheEditorClosesTheDialogs) {
  trigger(*editor, "Zoeken");
  trigger(*editor, "mnuBewerkenVervangen");
  QPointer<SearchDialog> find = editor->findDialog();
  QPointer<SearchDialog> replace = editor->replaceDialog();
  EXPECT_TRUE(editor->close());
  settle();
  EXPECT_TRUE(find.isNull());
  EXPECT_TRUE(replace.isNull());
}

}  // namespace
}  // namespace draivo::test
