#include <QFontMetrics>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTest>
#include <string>
#include <QToolBar>
#include <QToolButton>

#include "EditorFixture.h"
#include "design/ProgramMarkers.h"
#include "editor/EditorLayout.h"
#include "editor/TextFiles.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;

struct CaptionCase {
  std::string name;
  std::string file;  // "" for no program in the simulator
  std::string caption;
};

void PrintTo(const CaptionCase& c, std::ostream* out) {
  *out << c.name;
}

class EditorCaptionTest : public EditorFixture, public testing::WithParamInterface<CaptionCase> {};

TEST_P(EditorCaptionTest, CaptionShowsTheFileTitle) {
  const auto& c = GetParam();
  const QString file = c.file.empty() ? QString() : writeFile(c.file, "G00 X1 ;\r\n");
  auto editor = openEditor(file);
  EXPECT_EQ(editor->windowTitle().toStdString(), c.caption);
  EXPECT_FALSE(editor->document().modified());
}

INSTANTIATE_TEST_SUITE_P(
    Files, EditorCaptionTest,
    testing::Values(CaptionCase{"NoProgram", "", "NC Editor : Nieuw"},
                    CaptionCase{"ProgramFile", "O0012.nc", "NC Editor : O0012.nc"},
                    CaptionCase{"FileNamedNieuw", "Nieuw", "NC Editor : Nieuw"}),
    [](const testing::TestParamInfo<CaptionCase>& info) { return info.param.name; });

TEST_F(EditorFixture, NewDocumentIsEmptyAndSavesThroughSaveAs) {
  auto editor = openEditor();
  EXPECT_TRUE(textOf(*editor).isEmpty());
  EXPECT_EQ(editor->document().fileName(), pathOf("Nieuw").toStdString());
  dialogs->saveAnswer = pathOf("Eerste.nc");
  type(*editor, "G00 X1 ;\nM30 ;");
  trigger(*editor, "mnuBestandOpslaan");
  ASSERT_EQ(dialogs->saveQuestions.size(), 1u);
  EXPECT_EQ(dialogs->saveQuestions[0].title, "Bestand opslaan");
  EXPECT_EQ(dialogs->saveQuestions[0].folder, folderName());
  EXPECT_EQ(contentOf(pathOf("Eerste.nc")), "G00 X1 ;\r\nM30 ;");
  EXPECT_EQ(editor->windowTitle(), "NC Editor : Eerste.nc");
  EXPECT_FALSE(editor->document().modified());
}

TEST_F(EditorFixture, FileNamedNieuwIsSavedThroughSaveAs) {
  auto editor = openEditor(writeFile("Nieuw", "X"));
  type(*editor, "Y");
  dialogs->saveAnswer = "";  // cancelled
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(dialogs->saveQuestions.size(), 1u);
  EXPECT_EQ(contentOf(pathOf("Nieuw")), "X");
  EXPECT_TRUE(editor->document().modified());
}

TEST_F(EditorFixture, LoadsControlCharactersAndLineEndsAsWritten) {
  const std::string program =
      std::string(ProgramStartLine) + "\r\n:0001 ;\r\nG00 X1 ;\r\n" + std::string(ProgramEndMarker);
  const QString file = writeFile("A.nc", program);
  auto editor = openEditor(file);
  EXPECT_EQ(textOf(*editor), QString::fromLatin1("\x1B&HE:\x12%\n:0001 ;\nG00 X1 ;\n%\x14"));
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(contentOf(file), program);
}

TEST_F(EditorFixture, MissingStartFileIsReportedAndGivesAnEmptyText) {
  auto editor = openEditor(pathOf("weg.nc"));
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].text.contains("bestaat niet"));
  EXPECT_TRUE(textOf(*editor).isEmpty());
  EXPECT_EQ(editor->windowTitle(), "NC Editor : weg.nc");
}

TEST_F(EditorFixture, SavePromptAsksInItsOwnWords) {
  auto editor = openEditor(writeFile("O0012.nc", "G00 X1 ;"));
  type(*editor, "X");
  dialogs->answers = {QMessageBox::No};
  trigger(*editor, "mnuBestandNieuw");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  const auto& prompt = dialogs->messages[0];
  EXPECT_EQ(prompt.title, "NC Editor");
  EXPECT_EQ(prompt.text, "\"O0012.nc\" is gewijzigd\r\n wijzigingen opslaan.");
  EXPECT_EQ(prompt.icon, QMessageBox::Question);
  EXPECT_EQ(prompt.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(textOf(*editor).isEmpty());
  EXPECT_EQ(editor->windowTitle(), "NC Editor : Nieuw");
  EXPECT_EQ(contentOf(pathOf("O0012.nc")), "G00 X1 ;");
}

TEST_F(EditorFixture, SavePromptYesSavesBeforeNew) {
  const QString file = writeFile("O0012.nc", "G00 X1 ;");
  auto editor = openEditor(file);
  editor->textArea()->moveCursor(QTextCursor::End);
  type(*editor, "\nM30 ;");
  dialogs->answers = {QMessageBox::Yes};
  trigger(*editor, "mnuBestandNieuw");
  EXPECT_EQ(contentOf(file), "G00 X1 ;\r\nM30 ;");
  EXPECT_TRUE(textOf(*editor).isEmpty());
}

TEST_F(EditorFixture, NoSavePromptWhenUnchanged) {
  auto editor = openEditor(writeFile("A.nc", "G00 ;"));
  trigger(*editor, "mnuBestandNieuw");
  EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(EditorFixture, OpenLoadsTheChosenFileAndCancelChangesNothing) {
  auto editor = openEditor(writeFile("A.nc", "AAA"));
  dialogs->openAnswer = "";
  trigger(*editor, "mnuBestandOpenen");
  EXPECT_EQ(textOf(*editor), "AAA");
  ASSERT_EQ(dialogs->openQuestions.size(), 1u);
  EXPECT_EQ(dialogs->openQuestions[0].title, "Bestand openen");
  EXPECT_EQ(dialogs->openQuestions[0].folder, folderName());

  dialogs->openAnswer = writeFile("B.nc", "BBB\r\n");
  trigger(*editor, "mnuBestandOpenen");
  EXPECT_EQ(textOf(*editor), "BBB\n");
  EXPECT_EQ(editor->windowTitle(), "NC Editor : B.nc");
  EXPECT_FALSE(editor->document().modified());
}

TEST_F(EditorFixture, OpeningAVanishedFileIsReportedWithoutChange) {
  auto editor = openEditor(writeFile("A.nc", "AAA"));
  dialogs->openAnswer = pathOf("weg.nc");
  trigger(*editor, "mnuBestandOpenen");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(textOf(*editor), "AAA");
  EXPECT_EQ(editor->windowTitle(), "NC Editor : A.nc");
}

TEST_F(EditorFixture, UndoAfterOpenEmptiesTheTextAndRedoBringsItBack) {
  auto editor = openEditor(writeFile("A.nc", "G00 X1 ;"));
  EXPECT_EQ(editor->document().undo().index(), 1);
  trigger(*editor, "mnuBewerkenOngedaanMaken");
  EXPECT_TRUE(textOf(*editor).isEmpty());
  trigger(*editor, "Redo");
  EXPECT_EQ(textOf(*editor), "G00 X1 ;");
  trigger(*editor, "mnuBewerkenHerhalen");
  EXPECT_EQ(textOf(*editor), "G00 X1 ;");
}

TEST_F(EditorFixture, TypingIsUndoneKeyByKeyAndTypingAfterUndoEndsRedo) {
  auto editor = openEditor();
  editor->show();
  QTest::keyClicks(editor->textArea(), "G01");
  EXPECT_EQ(textOf(*editor), "G01");
  trigger(*editor, "Undo");
  EXPECT_EQ(textOf(*editor), "G0");
  editor->textArea()->moveCursor(QTextCursor::End);
  QTest::keyClicks(editor->textArea(), "2");
  trigger(*editor, "Redo");
  EXPECT_EQ(textOf(*editor), "G02");
  trigger(*editor, "Undo");
  EXPECT_EQ(textOf(*editor), "G0");
  expectHistoryInStep(*editor);
}

TEST_F(EditorFixture, FailedSaveKeepsTheOldFileAndTellsTheUser) {
  const QString file = writeFile("A.nc", "old");
  auto editor = openEditor(file);
  type(*editor, "new ");
  fs::create_directory(AtomicSaveTempPath(file.toStdString()));
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(contentOf(file), "old");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].icon, QMessageBox::Critical);
  EXPECT_TRUE(dialogs->messages[0].text.contains("A.nc"));
  EXPECT_TRUE(editor->document().modified());
}

TEST_F(EditorFixture, SaveAsIntoAFolderThatIsAFileKeepsTheName) {
  auto editor = openEditor(writeFile("A.nc", "old"));
  type(*editor, "new ");
  dialogs->saveAnswer = writeFile("geenmap", "x") + "/B.nc";
  trigger(*editor, "mnuBestandOpslaanAls");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(editor->windowTitle(), "NC Editor : A.nc");
  EXPECT_EQ(contentOf(pathOf("A.nc")), "old");
  EXPECT_EQ(contentOf(pathOf("geenmap")), "x");
}

TEST_F(EditorFixture, FailedSaveOnCloseKeepsTheWindowOpen) {
  const QString file = writeFile("A.nc", "old");
  auto editor = openEditor(file);
  editor->show();
  type(*editor, "new ");
  fs::create_directory(AtomicSaveTempPath(file.toStdString()));
  dialogs->answers = {QMessageBox::Yes};
  EXPECT_FALSE(editor->close());
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(contentOf(file), "old");
}

TEST_F(EditorFixture, DeleteAsksWithTheFullNameAndKeepsTheText) {
  const QString file = writeFile("A.nc", "G00 ;");
  auto editor = openEditor(file);
  dialogs->answers = {QMessageBox::Cancel};
  trigger(*editor, "mnuBestandVerwijderen");
  EXPECT_TRUE(fs::exists(file.toStdString()));
  dialogs->answers = {QMessageBox::Ok};
  trigger(*editor, "Verwijderen");
  EXPECT_FALSE(fs::exists(file.toStdString()));
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_EQ(dialogs->messages[0].title, "Verwijderen van ...");
  EXPECT_EQ(dialogs->messages[0].text, file);
  EXPECT_EQ(dialogs->messages[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(textOf(*editor), "G00 ;");
  EXPECT_EQ(editor->windowTitle(), "NC Editor : A.nc");
}

TEST_F(EditorFixture, DeletingAFileThatDoesNotExistIsReported) {
  auto editor = openEditor();
  dialogs->answers = {QMessageBox::Ok};
  trigger(*editor, "mnuBestandVerwijderen");
  ASSERT_EQ(dialogs->messages.size(), 2u);
  EXPECT_TRUE(dialogs->messages[1].text.contains("bestaat niet"));
}

TEST_F(EditorFixture, DelKeyAsksToDeleteTheFile) {
  const QString file = writeFile("A.nc", "G00 ;");
  auto editor = openEditor(file);
  editor->show();
  QApplication::setActiveWindow(editor.get());
  editor->textArea()->setFocus();
  dialogs->answers = {QMessageBox::Cancel};
  QTest::keyClick(editor->textArea(), Qt::Key_Delete);
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].title, "Verwijderen van ...");
  EXPECT_EQ(textOf(*editor), "G00 ;");
}

TEST_F(EditorFixture, ExitAsksAboutChangesThenEndsTheSystem) {
  auto editor = openEditor(writeFile("A.nc", "G00 ;"));
  int exits = 0;
  editor->setExitHandler([&] { ++exits; });
  type(*editor, "X");
  dialogs->answers = {QMessageBox::No};
  trigger(*editor, "mnuBestandAfsluiten");
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(dialogs->messages.size(), 1u);
}

TEST_F(EditorFixture, CutCopyAndPasteUsePlainText) {
  auto editor = openEditor(writeFile("A.nc", "G00 X1 ;\r\nG01 Z2 ;"));
  QTextCursor cursor = editor->textArea()->textCursor();
  cursor.setPosition(4);
  cursor.setPosition(11, QTextCursor::KeepAnchor);
  editor->textArea()->setTextCursor(cursor);
  trigger(*editor, "mnuBewerkenKopieren");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "X1 ;\nG0");
  trigger(*editor, "Knippen");
  EXPECT_EQ(textOf(*editor), "G00 1 Z2 ;");
  editor->textArea()->moveCursor(QTextCursor::End);
  trigger(*editor, "mnuTekstPlakken");
  EXPECT_EQ(textOf(*editor), "G00 1 Z2 ;X1 ;\nG0");
  expectHistoryInStep(*editor);
}

struct CommandCase {
  std::string name;
  const char* action;
  std::string file;
  QString expected;
};

void PrintTo(const CommandCase& c, std::ostream* out) {
  *out << c.name;
}

class TextCommandTest : public EditorFixture, public testing::WithParamInterface<CommandCase> {};

const QString Start = QString::fromLatin1(ProgramStartLine.data(), ProgramStartLine.size());
const QString End = QString::fromLatin1(ProgramEndMarker.data(), ProgramEndMarker.size());

TEST_P(TextCommandTest, RewritesTheTextAsOneUndoStep) {
  const auto& c = GetParam();
  auto editor = openEditor(writeFile("A.nc", c.file));
  const QString before = textOf(*editor);
  trigger(*editor, c.action);
  EXPECT_EQ(textOf(*editor), c.expected);
  EXPECT_TRUE(editor->document().modified());
  EXPECT_FALSE(fs::exists(folder.path() / "Temp.$$$"));
  expectHistoryInStep(*editor);
  trigger(*editor, "Undo");
  EXPECT_EQ(textOf(*editor), before);
  expectHistoryInStep(*editor);
  EXPECT_TRUE(dialogs->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TextCommandTest,
    testing::Values(
        CommandCase{"Number", "mnuOpmaakRegelNummersToevoegen",
                    "%\r\n:0001\r\nG00 X1 ;\r\nn5 G01\r\nM30 ;\r\n%\r\n",
                    Start + "\n:0001\nN5 G00 X1 ;\nN10 n5 G01\nN15 M30 ;\n" + End + "\n"},
        CommandCase{"Unnumber", "mnuTekstRegelNummersVerwijderen",
                    "%\r\n:0001\r\nN5 G00 X1 ;\r\nN10G01\r\n%",
                    Start + "\n:0001\nG00 X1 ;\nN10G01\n" + End + "\n"},
        CommandCase{"Spread", "mnuOpmaakRegelsUiteenTrekken",
                    "%\r\n:0000\r\nN10G00X50Z2\r\n(VOORBEWERKEN)\r\n%\r\n",
                    Start + "\n:0000 ;\nN10 G00 X50 Z2 ;\n(VOORBEWERKEN) ;\n" + End + "\n"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST(EditorTextCommand, UnwritableWorkFileIsReportedAndTheTextStays) {
  TempFolder folder;
  auto dialogs = std::make_shared<FakeEditorDialogs>();
  const auto notAFolder = QString::fromStdString(folder.write("plain", "x"));
  frmNC_Editor editor(QString::fromStdString(folder.write("A.nc", "G0X1\r\nG1X2\r\n")), notAFolder,
                      dialogs);
  editor.findChild<QAction*>("mnuOpmaakRegelsUiteenTrekken")->trigger();
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].text.contains("Temp.$$$"));
  EXPECT_FALSE(dialogs->messages[0].hourglass);
  EXPECT_EQ(editor.textArea()->toPlainText(), "G0X1\nG1X2\n");
  EXPECT_FALSE(editor.document().modified());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(EditorFixture, FontDialogIsFilledFromTheSelectionAndApplied) {
  auto editor = openEditor(writeFile("A.nc", "G00 X1 ;"));
  editor->textArea()->selectAll();
  dialogs->chosenFont = QFont(QStringLiteral("Serif"), 14);
  dialogs->chosenFont.setBold(true);
  dialogs->chosenColour = Qt::red;
  trigger(*editor, "mnuOpmaakLettertype");
  EXPECT_DOUBLE_EQ(dialogs->shownFont.pointSizeF(), 9.75);
  QTextCursor probe(editor->textArea()->document());
  probe.setPosition(2);
  EXPECT_TRUE(probe.charFormat().font().bold());
  EXPECT_EQ(probe.charFormat().foreground().color(), QColor(Qt::red));
  expectHistoryInStep(*editor);
}

TEST_F(EditorFixture, FontOfAMixedSelectionIsNotApplied) {
  auto editor = openEditor(writeFile("A.nc", "G00 X1 ;"));
  QTextCursor part = editor->textArea()->textCursor();
  part.setPosition(0);
  part.setPosition(3, QTextCursor::KeepAnchor);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  part.mergeCharFormat(bold);
  editor->textArea()->selectAll();
  dialogs->chosenFont = QFont(QStringLiteral("Serif"), 14);
  trigger(*editor, "mnuOpmaakLettertype");
  QTextCursor probe(editor->textArea()->document());
  probe.setPosition(6);
  EXPECT_FALSE(probe.charFormat().font().bold());
  EXPECT_NE(probe.charFormat().font().pointSize(), 14);
}

TEST_F(EditorFixture, MenusAndToolbarCarryTheirNames) {
  auto editor = openEditor();
  const auto menus = editor->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "&Bestand");
  EXPECT_EQ(menus[1]->text(), "Be&werken");
  EXPECT_EQ(menus[2]->text(), "Opmaa&k");
  auto* popup = editor->findChild<QMenu*>("mnuTekst");
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(menus.contains(popup->menuAction()));
  const auto captionsOf = [](const QMenu* menu) {
    QStringList captions;
    for (auto* action : menu->actions()) captions << action->text();
    return captions;
  };
  const QString kopieren = QStringLiteral("&Kop\u00eferen");
  EXPECT_EQ(captionsOf(popup), QStringList({"K&nippen", kopieren, "&Plakken", "",
                                            "Regels uiteen trekken", "Regel nummers toevoegen",
                                            "Regel nummers verwijderen"}));
  EXPECT_EQ(captionsOf(menus[0]->menu()),
            QStringList({"&Nieuw", "&Openen...", "", "O&pslaan", "Ops&laan als...", "",
                         "Verwijderen ...", "", "Afdrukken", "", "&Afsluiten"}));
  EXPECT_EQ(captionsOf(menus[1]->menu()),
            QStringList({"Ongedaan maken", "Herhalen", "", "K&nippen", kopieren, "&Plakken", "",
                         "&Zoeken", "Vervangen"}));
  EXPECT_EQ(captionsOf(menus[2]->menu()),
            QStringList({"&Lettertype...", "", "Regels uiteen trekken", "Regel nummers toevoegen",
                         "Regel nummers verwijderen"}));

  auto* toolbar = editor->findChild<QToolBar*>("tlbKnoppen");
  ASSERT_NE(toolbar, nullptr);
  QStringList keys;
  for (auto* action : toolbar->actions()) {
    keys << action->objectName();
    EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
  }
  EXPECT_EQ(keys, QStringList({"Nieuw", "Openen", "Opslaan", "Verwijderen", "Afdrukken", "Zoeken",
                               "Knippen", "Kopieren", "Plakken", "Undo", "Redo"}));
  QStringList toolTips;
  for (auto* action : toolbar->actions()) toolTips << action->toolTip();
  EXPECT_EQ(toolTips, QStringList({"Nieuw", "Openen", "Opslaan", "Verwijderen", "Afdrukken",
                                   "Zoeken", "Knippen", kopieren.mid(1), "Plakken",
                                   "Ongedaan maken", "Herhalen"}));
  EXPECT_EQ(editor->findChild<QAction*>("mnuBestandVerwijderen")->shortcut(),
            QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(editor->findChild<QAction*>("mnuBewerkenZoeken")->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_F));
}

TEST_F(EditorFixture, TextAreaFollowsTheWindowSize) {
  auto editor = openEditor();
  editor->show();
  editor->resize(640, 480);
  QApplication::processEvents();
  const QWidget* inner = editor->centralWidget();
  const QRect area = editor->textArea()->geometry();
  EXPECT_EQ(area.left(), 2);
  EXPECT_EQ(area.top(), ToolbarHeight + 2);
  EXPECT_EQ(area.width(), inner->width() - 4);
  EXPECT_EQ(area.height(), inner->height() - 32);
  const QFontMetrics metrics(editor->textArea()->font());
  for (char c : std::string("il.0MW"))
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char(c)), metrics.horizontalAdvance(QLatin1Char('W'))) << c;
}

}  // namespace
}  // namespace draivo::test
