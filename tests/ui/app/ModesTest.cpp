// The design mode and the editor as the main window offers them.
#include <QAction>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "MainWindowFixture.h"
#include "design/DesignController.h"
#include "editor/frmNC_Editor.h"

namespace draivo::test {
namespace {

QStringList listTexts(QListView* list) {
  QStringList texts;
  for (int i = 0; i < list->model()->rowCount(); ++i) {
    texts << list->model()->index(i, 0).data().toString();
  }
  return texts;
}

TEST_F(MainWindowTest, DesignAreaCarriesTheOntwerpMenu) {
  ASSERT_NE(window->design(), nullptr);
  EXPECT_EQ(window->designText()->contextMenuPolicy(), Qt::CustomContextMenu);
  QStringList items;
  for (QAction* item : window->design()->menu()->actions()) {
    items << (item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  EXPECT_EQ(items, (QStringList{"Simulatie", "-", "Nieuw gereedschap ...", "-", "G90 - G92 - G94",
                                "-", "M30 Einde programma"}));
}

TEST_F(MainWindowTest, DesignSimulatieRunsTheDesignFile) {
  window->design()->setProgramFolder(QString::fromStdString(folder.path().string()));
  window->designText()->setPlainText("G00 X52 Z2\nG01 Z-10 F0.2\nM30");
  drive([this] { window->design()->mnuOntwerpSimulatie_Click(); });
  EXPECT_EQ(sim().dialogFileName, (folder.path() / "T0000.Nc").string());
  EXPECT_EQ(listTexts(find<QListView>("lstCommands")),
            (QStringList{"G00 X52 Z2 ;", "G01 Z-10 F0.2 ;", "M30 ;"}));
  EXPECT_FALSE(sim().run.RunBusy);
  EXPECT_TRUE(action("mnuBewerkingVernieuw")->isEnabled());
}

TEST_F(MainWindowTest, EditorOpensOnTheCurrentProgram) {
  const std::string file = writeProgram("shaft.nc", "G00 X40 Z2 ;\nG01 Z-20 F0.2 ;\n");
  openAndRun(file);
  action("mnuBestandEditor")->trigger();
  auto* editor = window->findChild<frmNC_Editor*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->windowTitle().startsWith("NC Editor : ")) << editor->windowTitle().toStdString();
  auto* text = editor->textArea();
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->toPlainText().contains("G01 Z-20 F0.2 ;"));
  // A second "Editor ..." raises the same window.
  action("mnuBestandEditor")->trigger();
  EXPECT_EQ(window->findChildren<frmNC_Editor*>().size(), 1);
}

}  // namespace
}  // namespace draivo::test
