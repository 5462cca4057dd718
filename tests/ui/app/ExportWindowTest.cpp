#include "MainWindowFixture.h"
#include "support/BmpReader.h"

namespace draivo::test {
namespace {

// "Figuur opslaan" runs the program again without waiting, saves a bitmap under the
// program's number and puts back the speed, with step mode off; a program without a number,
// opened after one with, gives its file name to the caption and the picture.
TEST_F(MainWindowTest, FiguurOpslaanSavesTheRunAndPutsTheViewBack) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram(
      "O0012.nc", ":0012 ;\nN10 G21 G99 ;\nN20 G00 X40 Z2 ;\nN30 G02 X60 Z-10 R10 ;\nN40 M30 ;\n"));
  action("mnuBewerkingStap")->trigger();
  find<QScrollBar>("HScroll2")->setValue(5);
  const auto exportPicture = [this](const std::string& title, const std::string& text) {
    dialogs.messages.clear();
    gateStops.clear();
    drive([this] { action("mnuBestandSavePicture")->trigger(); });
    EXPECT_TRUE(gateStops.empty());
    EXPECT_FALSE(find("picSave")->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, title);
    if (!text.empty()) {
      EXPECT_EQ(dialogs.messages[0].text, text);
    }
  };
  exportPicture("Figuur opgeslaan als ...", (folder.path() / " O0012.bmp").string());
  EXPECT_EQ(find<QScrollBar>("HScroll2")->value(), 5);
  EXPECT_EQ(find<QLabel>("lblSpeed")->text(), "75");
  EXPECT_FALSE(action("mnuBewerkingStap")->isChecked());
  EXPECT_TRUE(ReadBmp((folder.path() / " O0012.bmp").string()).has_value());

  window->setPictureFolder(pathOf("no/such"));
  exportPicture("Figuur niet opgeslaan", "");

  window->setPictureFolder(folderName());
  openAndRun(writeProgram("plain.nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n"));
  EXPECT_EQ(window->windowTitle(), "Draivo");
  exportPicture("Figuur opgeslaan als ...", (folder.path() / "plain.bmp").string());
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "plain.bmp"));
}

}  // namespace
}  // namespace draivo::test
