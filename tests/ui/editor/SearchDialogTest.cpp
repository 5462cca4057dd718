#include "MainWindowFixture.h"

namespace draivo::test {
namespace {

const std::string Searched = "Het doorzoeken van het document is voltooid. Het gezochte item is ";

class SearchTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    editor = openEditor(writeFile("A.nc", "G01 X1 ;\r\nG00 X2 ;\r\ng01 Z3 ;"));
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->textArea()->setFocus();
  }
  QComboBox* box(SearchDialog* dialog, const char* name) { return find<QComboBox>(name, dialog); }
  void press(SearchDialog* dialog, const char* name) { find<QPushButton>(name, dialog)->click(); }
  // Deletes the dialogs that closed.
  static void deleteClosed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  int selectionStart() const { return editor->textArea()->textCursor().selectionStart(); }
  bool editorOnTop() const { return editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

  std::unique_ptr<frmNC_Editor> editor;
};

// Ctrl+F opens "Zoeken" above the editor with the selection in its history; it walks through
// the matches, ignoring case, and ends with a message, which closes it and puts the editor on
// top again. A changed search text starts at the beginning again. "Annuleren" closes it as
// well; closing the editor closes both dialogs.
TEST_F(SearchTest, FindWalksThroughTheMatchesAndEndsWithAMessage) {
  selectText(*editor, 4, 6);
  QTest::keyClick(editor->textArea(), Qt::Key_F, Qt::ControlModifier);
  SearchDialog* find = editor->findDialog();
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->windowTitle(), "Zoeken");
  EXPECT_TRUE(find->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(editorOnTop());
  EXPECT_EQ(box(find, "Combo1")->currentText(), "X1");

  box(find, "Combo1")->setEditText("X");
  press(find, "cmdZoeken");
  press(find, "cmdFind");
  EXPECT_EQ(selectionStart(), 13);
  box(find, "Combo1")->setEditText("g01");
  press(find, "cmdFind");
  EXPECT_EQ(selectionStart(), 0);
  EXPECT_EQ(editor->textArea()->textCursor().selectedText(), "G01");
  press(find, "cmdFind");
  EXPECT_EQ(selectionStart(), 18);
  EXPECT_TRUE(dialogs.messages.empty());
  press(find, "cmdFind");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, Searched + "niet gevonden");
  EXPECT_EQ(dialogs.messages[0].title, "Draivo");
  deleteClosed();
  EXPECT_EQ(editor->findDialog(), nullptr);
  EXPECT_TRUE(editorOnTop());

  trigger(*editor, "Zoeken");
  press(editor->findDialog(), "cmdCancel");
  deleteClosed();
  EXPECT_EQ(editor->findDialog(), nullptr);
  EXPECT_TRUE(editorOnTop());
  trigger(*editor, "Zoeken");
  trigger(*editor, "mnuBewerkenVervangen");
  const QPointer<SearchDialog> both[] = {editor->findDialog(), editor->replaceDialog()};
  EXPECT_TRUE(editor->close());
  deleteClosed();
  EXPECT_TRUE(both[0].isNull() && both[1].isNull());
}

// Tab walks "Vervangen" from the search box to the replacement box, then down the buttons
// and round again. "Vervangen" without a selection inserts at the caret; after "Zoeken" it
// replaces the match; "Alles vervangen" replaces every match as one undo step, says how many,
// closes the dialog and puts the editor on top.
TEST_F(SearchTest, ReplaceTakesTheMatchOrInsertsAtTheCaretOrReplacesAll) {
  editor->textArea()->moveCursor(QTextCursor::Start);
  editor->textArea()->moveCursor(QTextCursor::NextWord);
  trigger(*editor, "mnuBewerkenVervangen");
  SearchDialog* replace = editor->replaceDialog();
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(replace->windowTitle(), "Vervangen");
  QApplication::setActiveWindow(replace);
  box(replace, "Combo1")->setFocus();
  std::vector<std::string> order;
  for (int i = 0; i < 7; ++i) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    // The edit line of a combo box has the focus for it.
    QWidget* named = focus->objectName().isEmpty() ? focus->parentWidget() : focus;
    order.push_back(named->objectName().toStdString());
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Combo1", "Combo2", "cmdZoeken", "cmdReplace",
                                             "cmdReplaceAll", "cmdCancel", "Combo1"}));

  box(replace, "Combo2")->setEditText("F.2 ");
  press(replace, "cmdReplace");
  box(replace, "Combo1")->setEditText("x2");
  box(replace, "Combo2")->setEditText("X20");
  press(replace, "cmdZoeken");
  press(replace, "cmdReplace");
  EXPECT_EQ(editor->textArea()->toPlainText(), "G01 F.2 X1 ;\nG00 X20 ;\ng01 Z3 ;");
  EXPECT_TRUE(dialogs.messages.empty());

  box(replace, "Combo1")->setEditText("g01");
  box(replace, "Combo2")->setEditText("G02");
  const int steps = editor->document().undo().index();
  press(replace, "cmdReplaceAll");
  EXPECT_EQ(editor->textArea()->toPlainText(), "G02 F.2 X1 ;\nG00 X20 ;\nG02 Z3 ;");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, Searched + "2 keer vervangen");
  EXPECT_EQ(editor->document().undo().index(), steps + 1);
  EXPECT_TRUE(historyFollowsText(*editor));
  deleteClosed();
  EXPECT_EQ(editor->replaceDialog(), nullptr);
  EXPECT_TRUE(editorOnTop());
}

}  // namespace
}  // namespace draivo::test
