// The find and replace dialogs under an X server without a window manager: they belong to the
// editor window and stay above it after every match, with the keyboard.
#include "FocusChecks.h"
#include "MainWindowFixture.h"

namespace draivo::test {
namespace {

// The window the X server shows at the middle of the widget: the one on top there.
QWidget* topAt(const QWidget* widget) {
  return QApplication::topLevelAt(widget->mapToGlobal(widget->rect().center()));
}

struct SearchCase {
  const char* name;
  const char* item;  // the editor's menu item that opens the dialog
  std::vector<const char*> buttons;
};

class SearchDialogStacking : public MainWindowTest,
                             public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchDialogStacking, StaysAboveTheEditorWithTheKeyboard) {
  const SearchCase& c = GetParam();
  action("mnuBestandEditor")->trigger();
  auto* editor = find<frmNC_Editor>("frmNC_Editor");
  ASSERT_NE(editor, nullptr);
  editor->textArea()->setPlainText("G01 X1 ;\nG00 X2 ;\nG01 X3 ;\nG01 X4 ;\n");
  ASSERT_TRUE(getsKeyboard(editor->textArea()));
  trigger(*editor, c.item);
  SearchDialog* dialog = editor->findDialog() ? editor->findDialog() : editor->replaceDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  ASSERT_TRUE(editor->frameGeometry().contains(dialog->frameGeometry().center()));
  EXPECT_EQ(dialog->windowHandle()->transientParent(), editor->windowHandle());
  find<QComboBox>("Combo1", dialog)->setEditText("G01");
  if (auto* replacement = dialog->findChild<QComboBox*>("Combo2")) replacement->setEditText("G02");

  int matches = 0;
  for (const char* button : c.buttons) {
    find<QPushButton>(button, dialog)->click();
    ++matches;
    QTest::qWait(200);
    EXPECT_EQ(topAt(dialog), dialog) << button << " " << matches;
    EXPECT_TRUE(getsKeyboard(dialog)) << button << " " << matches;
    EXPECT_TRUE(editor->textArea()->textCursor().hasSelection()) << button;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, SearchDialogStacking,
    ::testing::Values(
        SearchCase{"Zoeken", "mnuBewerkenZoeken", {"cmdZoeken", "cmdFind", "cmdFind"}},
        SearchCase{"Vervangen", "mnuBewerkenVervangen", {"cmdZoeken", "cmdReplace", "cmdFind"}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace draivo::test
