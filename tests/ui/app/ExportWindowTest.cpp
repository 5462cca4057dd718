#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <filesystem>
#include <string>

#include "MainWindowFixture.h"
#include "render/Colour.h"
#include "support/BmpReader.h"

namespace draivo::test {
namespace {

constexpr const char* Program =
    ":0012 ;\nN10 G21 G99 ;\nN20 G00 X40 Z2 ;\nN30 G02 X60 Z-10 R10 ;\nN40 M30 ;\n";

// "Figuur opslaan" runs the program again without waiting, saves a bitmap under the
// program's number and puts back the view and the speed, with step mode off; a program
// without a number, opened after one with, gives its file name to the caption and the picture.
TEST_F(MainWindowTest, FiguurOpslaanSavesTheRunAndPutsTheViewBack) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("O0012.nc", Program));
  action("mnuBewerkingStap")->trigger();
  find<QScrollBar>("HScroll2")->setValue(5);
  const std::vector<Colour> view = sim().picResult.pixels();
  const auto exportPicture = [this](const std::string& title) {
    dialogs.messages.clear();
    gateStops.clear();
    drive([this] { action("mnuBestandSavePicture")->trigger(); });
    EXPECT_TRUE(gateStops.empty());
    EXPECT_FALSE(find("picSave")->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, title);
  };

  exportPicture("Figuur opgeslaan als ...");
  const std::string path = (folder.path() / " O0012.bmp").string();
  EXPECT_EQ(dialogs.messages[0].text, path);
  EXPECT_EQ(find<QScrollBar>("HScroll2")->value(), 5);
  EXPECT_EQ(find<QLabel>("lblSpeed")->text(), "75");
  EXPECT_FALSE(action("mnuBewerkingStap")->isChecked());
  EXPECT_EQ(sim().picResult.pixels(), view);
  EXPECT_TRUE(ReadBmp(path).has_value());

  window->setPictureFolder(QString::fromStdString((folder.path() / "no" / "such").string()));
  exportPicture("Figuur niet opgeslaan");
  EXPECT_EQ(sim().picResult.pixels(), view);

  window->setPictureFolder(folderName());
  openAndRun(writeProgram("plain.nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n"));
  EXPECT_EQ(window->windowTitle(), "Draivo");
  exportPicture("Figuur opgeslaan als ...");
  EXPECT_EQ(dialogs.messages[0].text, (folder.path() / "plain.bmp").string());
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "plain.bmp"));
}

}  // namespace
}  // namespace draivo::test
