// What the program is before any run: its start-up question, its icon and files, its language.
#include "MainWindowFixture.h"
#include "app/AppIdentity.h"
#include "platform/ProgramFolder.h"

namespace draivo::test {
namespace {

// A screen other than 1024 x 768 asks whether to end; only Yes ends the program.
TEST(StartUp, ScreenResolutionQuestionEndsTheProgramOnlyOnYes) {
  for (const auto& [screen, yes] :
       {std::pair{QSize(1280, 1024), false}, {QSize(800, 600), true}, {QSize(1024, 768), true}}) {
    ScriptedDialogs dialogs;
    dialogs.answers = {yes};
    frmGraphic window(dialogs);
    const bool asked = screen != QSize(1024, 768);
    EXPECT_EQ(window.Form_Load(screen), !(asked && yes));
    ASSERT_EQ(dialogs.messages.size(), asked ? 1u : 0u);
    if (!asked) continue;
    const std::string size = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
    EXPECT_EQ(dialogs.messages[0].text, "Set Screen Resolution At 1024x768");
    EXPECT_EQ(dialogs.messages[0].title, "Draivo : Screen Resolution " + size);
    EXPECT_TRUE(dialogs.messages[0].question);
  }
}

TEST(StartUp, FirstFileOnTheCommandLineIsTheProgramToOpen) {
  EXPECT_EQ(StartFileArgument({"draivo"}), "");
  EXPECT_EQ(StartFileArgument({"draivo", "/tmp/shaft.nc"}), "/tmp/shaft.nc");
  EXPECT_EQ(StartFileArgument({"draivo", "--reverse", "progs/a.nc", "b.nc"}),
            QDir::current().filePath("progs/a.nc"));
}

TEST_F(MainWindowTest, EveryWindowShowsDraivosIcon) {
  ApplyAppIdentity(*qApp);
  const QIcon icon = QApplication::windowIcon();
  EXPECT_FALSE(icon.isNull());
  auto editor = openEditor();
  trigger(*editor, "mnuBewerkenZoeken");
  trigger(*editor, "mnuBewerkenVervangen");
  std::vector<QWidget*> windows{window.get(), editor.get(), editor->findDialog(),
                                editor->replaceDialog()};
  for (const char* item : {"mnuOntwerpNewTool", "mnuOntwerpG9094"}) {
    withModal(item, [&](QDialog& dialog) {
      EXPECT_EQ(dialog.windowIcon().cacheKey(), icon.cacheKey()) << item;
    });
  }
  for (QWidget* shown : windows) EXPECT_EQ(shown->windowIcon().cacheKey(), icon.cacheKey());
}

// The design file, the pictures and the editor's work file go to the executable's folder
// when it may be written there and is no installed copy, else to the user's data folder,
// which is made only then.
TEST(StartUp, ProgramFolderIsTheWritableBuildFolderOrTheUserFolder) {
  // The executable's folder, whether it exists and whether the copy is installed.
  for (const auto& [executableFolder, exists, installed] : {std::tuple{"build/src/ui", true, false},
                                                            {"usr/bin", true, true},
                                                            {"missing/bin", false, false}}) {
    TempFolder root;
    const QString executable = QString::fromStdString((root.path() / executableFolder).string());
    if (exists) std::filesystem::create_directories(executable.toStdString());
    if (installed) {
      std::filesystem::create_directories(root.path() / "usr/share/applications");
      root.write("usr/share/applications/nl.draivo.Draivo.desktop", "");
    }
    const QString user =
        QString::fromStdString((root.path() / "home/.local/share/draivo").string());
    const bool userFolder = installed || !exists;
    EXPECT_EQ(ChooseProgramFolder(executable, user), userFolder ? user : executable);
    EXPECT_EQ(QFileInfo(user).isDir(), userFolder) << executableFolder;
  }
}

// The test programs prepare the application as the simulator does; Qt's own file dialog
// stands for the platform's, which would speak the system's language.
TEST(StartUp, StandardButtonsAndDialogsSpeakDutch) {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  const QFileDialog files;
  const auto* lookIn = files.findChild<QLabel*>("lookInLabel");
  ASSERT_NE(lookIn, nullptr);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Ja");
  EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Nee");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Annuleren");
  EXPECT_EQ(lookIn->text(), "Zoeken in:");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Draivo");
}

// Programs are written in the design text and the editor in a font whose characters all
// have the same width.
TEST_F(MainWindowTest, ProgramTextsAreMonospaced) {
  for (const QFont& font : {window->designText()->font(), openEditor()->textArea()->font()}) {
    const QFontMetrics metrics(font);
    for (const char c : {'i', '.', '0', ' ', 'M', ';'}) {
      EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char(c)), metrics.horizontalAdvance('W')) << c;
    }
  }
}

}  // namespace
}  // namespace draivo::test
