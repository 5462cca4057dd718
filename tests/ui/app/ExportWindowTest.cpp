#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <filesystem>
#include <string>

#include "MainWindowFixture.h"
#include "render/Colour.h"
#include "run/HeadlessRun.h"
#include "support/BmpReader.h"

namespace draivo::test {
namespace {

constexpr const char* Program =
    ":0012 ;\n"
    "N10 G21 G99 ;\n"
    "N20 G00 X40 Z2 ;\n"
    "N30 G01 Z-30 F0.2 ;\n"
    "N40 G02 X60 Z-40 R10 ;\n"
    "N50 G00 X100 Z50 ;\n"
    "N60 M30 ;\n";

// "Figuur opslaan" runs the program again on white without waiting, saves that picture under
// the program's number and puts back the view and the speed, with step mode off; a program
// without a number, opened after one with, gives its file name to the caption and the picture.
TEST_F(MainWindowTest, FiguurOpslaanSavesTheRunOnWhiteAndPutsTheViewBack) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  const std::string program = writeProgram("O0012.nc", Program);
  openAndRun(program);
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
  const auto saved = ReadBmp(path);
  ASSERT_TRUE(saved.has_value());
  HeadlessOptions options;
  options.direct = true;
  const Surface expected = RunHeadless(program, options).picture;
  ASSERT_EQ(saved->width, expected.width());
  ASSERT_EQ(saved->height, expected.height());
  int mismatches = 0;
  for (int row = 0; row < saved->height; ++row) {
    for (int column = 0; column < saved->width; ++column) {
      const Colour colour = expected.getPixel(column, row);
      mismatches += saved->at(column, row) != (colour == ButtonFace ? White : colour);
    }
  }
  EXPECT_EQ(mismatches, 0);

  window->setPictureFolder(QString::fromStdString((folder.path() / "no" / "such").string()));
  exportPicture("Figuur niet opgeslaan");
  EXPECT_EQ(sim().picResult.pixels(), view);

  window->setPictureFolder(QString::fromStdString(folder.path().string()));
  openAndRun(writeProgram("plain.nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n"));
  EXPECT_EQ(window->windowTitle(), "Draivo");
  exportPicture("Figuur opgeslaan als ...");
  EXPECT_EQ(dialogs.messages[0].text, (folder.path() / "plain.bmp").string());
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "plain.bmp"));
}

}  // namespace
}  // namespace draivo::test
