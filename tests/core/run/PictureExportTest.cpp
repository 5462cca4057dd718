#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "render/Colour.h"
#include "run/HeadlessRun.h"
#include "run/PictureExport.h"
#include "support/BmpReader.h"
#include "support/DataTable.h"
#include "support/ScriptedHost.h"

namespace draivo::test {
namespace {

TEST(PictureFilePath, FollowsTheCaptionOrTheFile) {
  for (const auto& row : ReadTable("tables/picture_file_path.rows")) {
    EXPECT_EQ(PictureFilePath(row.at(0), row.at(1), row.at(2)), row.at(3)) << row.at(1);
  }
}

// A simulator that has run a program once, as the menu item requires.
class PictureExportRun : public ::testing::Test {
 protected:
  void SetUp() override {
    r.host.dialogAnswer = programFile;
    r.sim.startupTimer();
    r.sim.Open();
  }

  PictureExportResult exportPicture(const std::string& folder) {
    PictureExport exporter(r.sim);
    exporter.onCoverChanged = [this](bool visible) { cover.push_back(visible); };
    return exporter.run(folder);
  }

  ScriptedRun r;
  TempFolder pictures;
  std::string programFile = r.folder.write(
      "O0012.nc", ":0012 ;\nG21 G99 ;\nG00 X40 Z2 ;\nG01 Z-30 F0.2 ;\nG01 X60 Z-40 ;\nM30 ;\n");
  std::vector<bool> cover;
};

// The export runs the program again on white, writes what the headless run draws, overwrites
// an earlier export and puts the view, the speed and the picture back, with stops off.
TEST_F(PictureExportRun, WritesTheProgramOnWhiteAndPutsTheViewBack) {
  r.sim.setSpeedValue(7);
  r.sim.toggleStepMode();
  r.sim.toggleOptionalStop();
  r.sim.picResult.setPixel(5, 5, rgb(1, 2, 3));  // a mark that the re-run does not draw
  const std::vector<Colour> before = r.sim.picResult.pixels();
  const PictureExportResult first = exportPicture(pictures.path().string());
  const PictureExportResult result = exportPicture(pictures.path().string());
  ASSERT_TRUE(result.written);
  EXPECT_EQ(result.path, (pictures.path() / " O0012.bmp").string());
  EXPECT_EQ(first.path, result.path);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pictures.path()), {}), 1);
  EXPECT_EQ(r.sim.view.DrawDelay, 7);
  EXPECT_FALSE(r.sim.menus.stapChecked || r.sim.menus.optioneelChecked || r.sim.run.RunBusy);
  EXPECT_EQ(r.sim.picResult.backColour(), ButtonFace);
  EXPECT_EQ(r.sim.picResult.pixels(), before);
  EXPECT_EQ(r.host.shownPicture, r.sim.picResult.revision());  // the window shows it back
  EXPECT_EQ(cover, (std::vector<bool>{true, false, true, false}));

  const auto saved = ReadBmp(result.path);
  HeadlessOptions options;
  options.direct = true;
  const Surface drawn = RunHeadless(programFile, options).picture;
  ASSERT_TRUE(saved && saved->width == drawn.width() && saved->height == drawn.height());
  std::vector<Colour> expected = drawn.pixels();
  EXPECT_GT(std::count_if(expected.begin(), expected.end(),
                          [&](Colour c) { return c != drawn.backColour(); }),
            200);
  std::replace(expected.begin(), expected.end(), drawn.backColour(), White);
  EXPECT_TRUE(saved->pixels == expected);
}

// A failed write is reported and leaves the view as it was; while a run is busy, when the
// export's run is stopped, or once the window is closing, nothing is exported, changed or
// reported.
TEST_F(PictureExportRun, TellsWhatHappened) {
  const std::vector<Colour> before = r.sim.picResult.pixels();
  const PictureExportResult failed = exportPicture((pictures.path() / "no" / "deeper").string());
  EXPECT_TRUE(failed.attempted && !failed.written);
  EXPECT_EQ(r.sim.picResult.pixels(), before);
  const PictureExportResult written = exportPicture(pictures.path().string());
  r.sim.run.RunBusy = true;
  const PictureExportResult busy = exportPicture(pictures.path().string());
  r.sim.run.RunBusy = false;
  EXPECT_FALSE(busy.attempted);
  EXPECT_EQ(cover.size(), 4u);
  r.host.messages.clear();
  r.host.messageIcons.clear();
  for (const auto& result : {failed, written, busy}) ReportPictureExport(r.host, result);
  EXPECT_EQ(r.host.messages,
            (std::vector<std::string>{"Figuur niet opgeslaan: Het bestand " + failed.path +
                                          " kan niet geschreven worden.",
                                      "Figuur opgeslaan als ...: " + written.path}));
  EXPECT_EQ(r.host.messageIcons, (std::vector{MessageIcon::Exclamation, MessageIcon::Information}));

  std::filesystem::remove(written.path);
  r.host.direct = false;
  // A run stopped with "Stoppen" (here during a dwell) drew only part of the program: nothing
  // is written.
  r.folder.write("O0012.nc", ":0012 ;\nG00 X40 Z2 ;\nG04 U1 ;\nG01 Z-30 F0.2 ;\n");
  r.host.onWait = [this](ScriptedHost&) { r.sim.requestStop(); };
  EXPECT_FALSE(exportPicture(pictures.path().string()).attempted);
  EXPECT_TRUE(std::filesystem::is_empty(pictures.path()));
  EXPECT_EQ(r.sim.picResult.pixels(), before);
  EXPECT_EQ(r.sim.picResult.backColour(), ButtonFace);
  r.host.onWait = [this](ScriptedHost&) { r.sim.requestQuit(); };
  r.sim.view.setSpeedValue(3);
  EXPECT_FALSE(exportPicture(pictures.path().string()).attempted);
  EXPECT_TRUE(std::filesystem::is_empty(pictures.path()));
  EXPECT_EQ(r.sim.view.speedValue, 3);
  EXPECT_EQ(r.sim.picResult.backColour(), ButtonFace);
}

}  // namespace
}  // namespace draivo::test
