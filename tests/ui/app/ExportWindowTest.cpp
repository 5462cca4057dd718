#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <filesystem>
#include <string>

#include "MainWindowFixture.h"
#include "support/BmpReader.h"
#include "render/Colour.h"
#include "run/HeadlessRun.h"

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

class ExportWindow : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    find<QCheckBox>("ChkDirect")->setChecked(true);
    programFile = writeProgram("O0012.nc", Program);
    openAndRun(programFile);
    ASSERT_TRUE(action("mnuBestandSavePicture")->isEnabled());
  }
  void exportPicture() {
    dialogs.messages.clear();
    gateStops.clear();
    drive([this] { action("mnuBestandSavePicture")->trigger(); });
  }

  std::string programFile;
};

TEST_F(ExportWindow, WritesTheHeadlessPictureOnWhiteAndSaysWhere) {
  exportPicture();
  const std::string path = (folder.path() / " O0012.bmp").string();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Figuur opgeslaan als ...");
  EXPECT_EQ(dialogs.messages[0].text, path);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);

  const auto saved = ReadBmp(path);
  ASSERT_TRUE(saved.has_value());
  HeadlessOptions options;
  options.direct = true;
  const HeadlessResult headless = RunHeadless(programFile, options);
  ASSERT_EQ(saved->width, headless.picture.width());
  ASSERT_EQ(saved->height, headless.picture.height());
  int mismatches = 0;
  int white = 0;
  for (int row = 0; row < saved->height; ++row)
    for (int column = 0; column < saved->width; ++column) {
      Colour expected = headless.picture.getPixel(column, row);
      if (expected == ButtonFace) expected = White;
      if (saved->at(column, row) != expected) ++mismatches;
      if (saved->at(column, row) == White) ++white;
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(white, saved->width * saved->height / 2);
}

TEST_F(ExportWindow, PutsTheViewAndSpeedBackAndLeavesStepModeOff) {
  action("mnuBewerkingStap")->trigger();
  find<QScrollBar>("HScroll2")->setValue(5);
  const std::vector<Colour> before = sim().picResult.pixels();
  exportPicture();
  EXPECT_EQ(find<QScrollBar>("HScroll2")->value(), 5);
  EXPECT_EQ(find<QLabel>("lblSpeed")->text(), "75");
  EXPECT_EQ(sim().view.DrawDelay, 5);
  EXPECT_FALSE(action("mnuBewerkingStap")->isChecked());
  EXPECT_TRUE(gateStops.empty());
  EXPECT_EQ(sim().picResult.pixels(), before);
  EXPECT_EQ(sim().picResult.backColour(), ButtonFace);
  EXPECT_FALSE(find("picSave")->isVisible());
}

TEST_F(ExportWindow, UnwritableFolderIsReportedAndTheViewRestored) {
  window->setPictureFolder(QString::fromStdString((folder.path() / "no" / "such").string()));
  const std::vector<Colour> before = sim().picResult.pixels();
  exportPicture();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Figuur niet opgeslaan");
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(sim().picResult.pixels(), before);
  EXPECT_FALSE(find("picSave")->isVisible());
}

TEST_F(MainWindowTest, ProgramWithoutNumberIsSavedUnderItsFileName) {
  find<QCheckBox>("ChkDirect")->setChecked(true);
  openAndRun(writeProgram("plain.nc", "G00 X40 Z2 ;\nG01 Z-10 F0.2 ;\n"));
  dialogs.messages.clear();
  drive([this] { action("mnuBestandSavePicture")->trigger(); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, (folder.path() / "plain.bmp").string());
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "plain.bmp"));
}

}  // namespace
}  // namespace draivo::test
