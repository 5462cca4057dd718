#include <array>

#include "MainWindowFixture.h"
#include "editor/TextFiles.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;

// "Editor ..." opens one editor, above the main window, on the current program; its copy
// command reads "&Kopïeren" in both menus and its tool tip; its "Afsluiten" ends the system.
TEST_F(MainWindowTest, EditorOpensOnTheCurrentProgram) {
  openAndRun(writeProgram("shaft.nc", "G00 X40 Z2 ;\nG01 Z-20 F0.2 ;\n"));
  action("mnuBestandEditor")->trigger();
  action("mnuBestandEditor")->trigger();
  ASSERT_EQ(window->findChildren<frmNC_Editor*>().size(), 1);
  frmNC_Editor* editor = window->findChild<frmNC_Editor*>();
  EXPECT_EQ(editor->windowTitle(), "NC Editor : shaft.nc");
  EXPECT_TRUE(editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(editor->textArea()->toPlainText(), "G00 X40 Z2 ;\nG01 Z-20 F0.2 ;\n");
  for (const char* item : {"mnuBewerkenKopieren", "mnuTekstKopieren"}) {
    EXPECT_EQ(action(item, editor)->text(), QStringLiteral("&Kop\u00eferen"));
  }
  EXPECT_EQ(action("Kopieren", editor)->toolTip(), QStringLiteral("Kop\u00eferen"));
  trigger(*editor, "mnuBestandAfsluiten");
  EXPECT_FALSE(window->isVisible());
}

// A new text is saved through "Opslaan als"; a cancelled Open changes nothing; a changed
// text asks before "Nieuw" and is saved on Yes, lines ended by CR LF.
TEST_F(MainWindowTest, EditorSavesOpensAndStartsNewTexts) {
  auto editor = openEditor();
  EXPECT_EQ(editor->windowTitle(), "NC Editor : Nieuw");
  editor->textArea()->insertPlainText("G00 X1 ;\nM30 ;");
  dialogs.saveAnswers = {pathOf("Eerste.nc").toStdString()};
  trigger(*editor, "mnuBestandOpslaan");
  ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
  EXPECT_EQ(dialogs.saveDialogs[0].title, "Bestand opslaan");
  EXPECT_EQ(dialogs.saveDialogs[0].start, folder.path().string());
  EXPECT_EQ(contentOf(pathOf("Eerste.nc")), "G00 X1 ;\r\nM30 ;");
  EXPECT_EQ(editor->windowTitle(), "NC Editor : Eerste.nc");

  trigger(*editor, "mnuBestandOpenen");
  EXPECT_EQ(dialogs.openDialogs.at(0).title, "Bestand openen");
  EXPECT_EQ(editor->textArea()->toPlainText(), "G00 X1 ;\nM30 ;");
  dialogs.openAnswers = {writeFile("B.nc", "BBB\r\n").toStdString()};
  trigger(*editor, "mnuBestandOpenen");
  EXPECT_EQ(editor->textArea()->toPlainText(), "BBB\n");
  EXPECT_EQ(editor->windowTitle(), "NC Editor : B.nc");
  EXPECT_TRUE(dialogs.messages.empty());

  editor->textArea()->moveCursor(QTextCursor::End);
  editor->textArea()->insertPlainText("X");
  dialogs.answers = {true};
  trigger(*editor, "mnuBestandNieuw");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "\"B.nc\" is gewijzigd\r\n wijzigingen opslaan.");
  EXPECT_TRUE(dialogs.messages[0].question);
  EXPECT_EQ(contentOf(pathOf("B.nc")), "BBB\r\nX");
  EXPECT_TRUE(editor->textArea()->toPlainText().isEmpty());
  EXPECT_EQ(editor->windowTitle(), "NC Editor : Nieuw");
}

// A save that fails keeps the old file, the text and the window; the user is told. The Del
// key asks to delete the file, by its full name, and keeps the text; "Afsluiten" asks about a
// changed text before it ends the system.
TEST_F(MainWindowTest, FailedSaveDeleteAndAfsluitenKeepTheTextAndAskFirst) {
  const QString file = writeFile("A.nc", "old");
  auto editor = openEditor(file);
  editor->show();
  editor->textArea()->insertPlainText("new ");
  fs::create_directory(AtomicSaveTempPath(file.toStdString()));
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(dialogs.messages.size(), 1u);
  dialogs.answers = {true};
  EXPECT_FALSE(editor->close());
  EXPECT_TRUE(editor->isVisible());
  dialogs.saveAnswers = {writeFile("geenmap", "x").toStdString() + "/B.nc"};
  trigger(*editor, "mnuBestandOpslaanAls");
  EXPECT_EQ(dialogs.messages.size(), 4u);
  EXPECT_EQ(editor->windowTitle(), "NC Editor : A.nc");
  EXPECT_EQ(contentOf(file), "old");
  EXPECT_TRUE(editor->document().modified());

  dialogs.messages.clear();
  QApplication::setActiveWindow(editor.get());
  editor->textArea()->setFocus();
  QTest::keyClick(editor->textArea(), Qt::Key_Delete);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Verwijderen van ...");
  EXPECT_EQ(dialogs.messages[0].text, file.toStdString());
  EXPECT_TRUE(fs::exists(file.toStdString()));
  dialogs.answers = {true};
  trigger(*editor, "Verwijderen");
  EXPECT_FALSE(fs::exists(file.toStdString()));
  EXPECT_EQ(editor->textArea()->toPlainText(), "new old");

  int exits = 0;
  editor->setExitHandler([&] { ++exits; });
  dialogs.answers = {false};
  trigger(*editor, "mnuBestandAfsluiten");
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(dialogs.messages.size(), 3u);
}

// Typing is undone key by key, by the menu and by Ctrl+Z, and redone by Ctrl+Y or
// Ctrl+Shift+Z, through the editor's own history, and the menu shows the keys; typing after
// an undo ends the redo; cut, copy and paste carry plain text.
TEST_F(MainWindowTest, EditorUndoesKeyByKeyAndCopiesPlainText) {
  auto editor = openEditor(writeFile("A.nc", "G00 X1 ;\r\nG01 Z2 ;"));
  QPlainTextEdit* area = editor->textArea();
  editor->show();
  QApplication::setActiveWindow(editor.get());
  area->setFocus();
  area->moveCursor(QTextCursor::End);
  QTest::keyClicks(area, "M3");
  const auto press = [area](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(area, key, modifiers);
    settle();
    return area->toPlainText();
  };
  const QString lines = "G00 X1 ;\nG01 Z2 ;";
  EXPECT_EQ(press(Qt::Key_Z, Qt::ControlModifier), lines + "M");
  EXPECT_EQ(press(Qt::Key_Z, Qt::ControlModifier), lines);
  EXPECT_EQ(press(Qt::Key_Y, Qt::ControlModifier), lines + "M");
  EXPECT_EQ(press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), lines + "M3");
  EXPECT_EQ(press(Qt::Key_Y, Qt::ControlModifier), lines + "M3");  // nothing left to redo
  EXPECT_EQ(action("mnuBewerkenOngedaanMaken", editor.get())->shortcut(), Qt::CTRL | Qt::Key_Z);
  EXPECT_EQ(action("mnuBewerkenHerhalen", editor.get())->shortcuts(),
            (QList<QKeySequence>{Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}));
  trigger(*editor, "mnuBewerkenOngedaanMaken");
  QTest::keyClicks(area, "4");
  trigger(*editor, "mnuBewerkenHerhalen");
  EXPECT_EQ(area->toPlainText(), lines + "M4");
  trigger(*editor, "Undo");
  EXPECT_EQ(area->toPlainText(), lines + "M");

  selectText(*editor, 4, 11);
  trigger(*editor, "mnuBewerkenKopieren");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "X1 ;\nG0");
  trigger(*editor, "Knippen");
  area->moveCursor(QTextCursor::End);
  trigger(*editor, "mnuTekstPlakken");
  EXPECT_EQ(area->toPlainText(), "G00 1 Z2 ;MX1 ;\nG0");
  EXPECT_TRUE(historyFollowsText(*editor));
}

// Each text command rewrites the text through the work file as one undo step ("<" and ">"
// stand for the program's start line and end marker). A work file that cannot be written is
// reported, without the hourglass, and the text stays.
TEST_F(MainWindowTest, TextCommandsRewriteTheTextAsOneUndoStep) {
  const std::array<const char*, 3> cases[] = {
      {"mnuOpmaakRegelNummersToevoegen", "%\r\n:0001\r\nG00 X1 ;\r\nn5 G01\r\nM30 ;\r\n%\r\n",
       "<\n:0001\nN5 G00 X1 ;\nN10 n5 G01\nN15 M30 ;\n>\n"},
      {"mnuTekstRegelNummersVerwijderen", "%\r\n:0001\r\nN5 G00 X1 ;\r\nN10G01\r\n%",
       "<\n:0001\nG00 X1 ;\nN10G01\n>\n"},
      {"mnuOpmaakRegelsUiteenTrekken", "%\r\n:0000\r\nN10G00X50Z2\r\n(VOORBEWERKEN)\r\n%\r\n",
       "<\n:0000 ;\nN10 G00 X50 Z2 ;\n(VOORBEWERKEN) ;\n>\n"}};
  for (const auto& [command, file, expected] : cases) {
    auto editor = openEditor(writeFile("A.nc", file));
    const QString before = editor->textArea()->toPlainText();
    trigger(*editor, command);
    EXPECT_EQ(editor->textArea()->toPlainText(),
              QString(expected)
                  .replace("<", QString::fromLatin1("\x1B&HE:\x12%"))
                  .replace(">", QString::fromLatin1("%\x14")));
    EXPECT_TRUE(editor->document().modified());
    EXPECT_TRUE(historyFollowsText(*editor));
    trigger(*editor, "Undo");
    EXPECT_EQ(editor->textArea()->toPlainText(), before) << command;
  }
  EXPECT_TRUE(dialogs.messages.empty());

  auto editor = openEditor(writeFile("A.nc", "G0X1\r\nG1X2\r\n"), writeFile("plain", "x"));
  trigger(*editor, "mnuOpmaakRegelsUiteenTrekken");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(dialogs.messages[0].busyPointer);
  EXPECT_EQ(editor->textArea()->toPlainText(), "G0X1\nG1X2\n");
  EXPECT_FALSE(editor->document().modified());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace draivo::test
