// Files that are not programs, as the main window and the editor meet them.
#include "MainWindowFixture.h"
#include "run/ProgramFileCheck.h"
#include "support/DataTable.h"

namespace draivo::test {
namespace {

namespace fs = std::filesystem;

// A program with a bell and a tab in its lines.
constexpr const char* Program = ":0\a12 ;\n(TOOL\tONE)\nG00 X40 Z2 ;\nG01 Z-30 F0.2 ;\n";

std::vector<std::string> otherFiles() {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(DataFolder() / "program_files")) {
    files.push_back(entry.path().string());
  }
  return files;
}

QStringList rowsOf(const QListView* list) {
  QStringList rows;
  for (int r = 0; r < list->model()->rowCount(); ++r) {
    rows << list->model()->index(r, 0).data().toString();
  }
  return rows;
}

// What the user sees of the main window.
struct Seen {
  QString title;
  QStringList rows;
  QImage picture;
  std::vector<bool> enabled;
  QString feed;
  bool operator==(const Seen&) const = default;
};

class ProgramFileWindowTest : public MainWindowTest {
 protected:
  Seen seen() {
    return {window->windowTitle(), rowsOf(find<QListView>("lstCommands")),
            find("picResult")->grab().toImage(),
            enabled({"mnuBewerkingStarten", "mnuBewerkingVernieuw", "mnuBestandSavePicture",
                     "mnuBewerkingBewerkingstijd"}),
            find<QLabel>("lblFeedV")->text()};
  }
};

// "Openen ..." on a PNG, a PDF, an ELF executable, a zip or UTF-16 text says that the file is
// no program and leaves the window exactly as it was: the program, its picture, caption,
// labels and menus, and the file the next dialog and "Vernieuw" start from. A file opened
// without the dialog (from the command line, or the design mode's) is refused alike, and so
// is the file in the editor's "Openen...", which keeps its text. A control character of a
// program line never reaches the caption or the list.
TEST_F(ProgramFileWindowTest, AFileThatIsNoProgramLeavesTheWindowAndTheEditorAsTheyWere) {
  const std::string shaft = writeProgram("shaft.nc", Program);
  openAndRun(shaft);
  const Seen before = seen();
  ASSERT_EQ(before.title, "Draivo O0_12.nc");
  EXPECT_EQ(before.rows,
            (QStringList{":0 12 ;", "(TOOL ONE) ;", "G00 X40 Z2 ;", "G01 Z-30 F0.2 ;"}));
  auto editor = openEditor(writeFile("A.nc", "G00 X1 ;\r\n"));
  gateStops.clear();
  for (const std::string& file : otherFiles()) {
    dialogs.messages.clear();
    openAndRun(file);
    drive([&] { window->runProgramFile(QString::fromStdString(file)); });
    dialogs.openAnswers = {file};
    trigger(*editor, "mnuBestandOpenen");
    ASSERT_EQ(dialogs.messages.size(), 3u) << file;
    for (const auto& shown : dialogs.messages) EXPECT_EQ(shown.text, NotAProgramMessage(file));
    // The main window's boxes; the editor's is titled as the editor.
    EXPECT_EQ(dialogs.messages[0].title + dialogs.messages[1].title,
              std::string(NotAProgramTitle) + NotAProgramTitle);
    EXPECT_TRUE(seen() == before) << file;
    EXPECT_TRUE(gateStops.empty()) << file;
    EXPECT_EQ(editor->windowTitle(), "NC Editor : A.nc");
    EXPECT_EQ(areaText(*editor), "G00 X1 ;\n");
  }
  action("mnuBestandOpenen")->trigger();  // cancelled
  EXPECT_EQ(dialogs.openDialogs.back().start, shaft);
  // "Vernieuw" of a program that became a file of another kind refuses it alike.
  dialogs.messages.clear();
  writeProgram("shaft.nc", contentOf(QString::fromStdString(otherFiles().front())));
  drive([this] { action("mnuBewerkingVernieuw")->trigger(); });
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(seen().title, before.title);
  EXPECT_EQ(seen().rows, before.rows);
  EXPECT_TRUE(gateStops.empty());
  writeProgram("shaft.nc", Program);
  drive([this] { action("mnuBewerkingVernieuw")->trigger(); });
  EXPECT_EQ(gateStops, std::vector<int>{0});
  EXPECT_EQ(window->windowTitle(), before.title);
}

}  // namespace
}  // namespace draivo::test
