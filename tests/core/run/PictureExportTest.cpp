#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/BmpReader.h"
#include "render/Colour.h"
#include "run/HeadlessRun.h"
#include "run/PictureExport.h"
#include "run/Simulator.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace draivo {
namespace {

using test::ScriptedHost;
using test::TempFolder;

struct NameCase {
  std::string name;
  std::string folder;
  std::string caption;
  std::string programFile;
  std::string path;
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << c.name;
}

class PictureFilePathOf : public ::testing::TestWithParam<NameCase> {};

TEST_P(PictureFilePathOf, FollowsTheCaptionOrTheFile) {
  const NameCase& c = GetParam();
  EXPECT_EQ(PictureFilePath(c.folder, c.caption, c.programFile), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, PictureFilePathOf,
    ::testing::Values(
        NameCase{"ProgramNumber", "/app", "Draivo O0012.nc", "/p/x.nc", "/app/ O0012.bmp"},
        NameCase{"FolderWithSlash", "/app/", "Draivo O0012.nc", "/p/x.nc", "/app/ O0012.bmp"},
        NameCase{"ShortNumber", "/app", "Draivo O12 ;.nc", "/p/x.nc", "/app/ O12 ;.bmp"},
        NameCase{"SlashesStayInFolder", "/app", "Draivo O1/2\\.nc", "/p/x.nc", "/app/ O1_2_.bmp"},
        NameCase{"NoNumberNamesTheFile", "/app", "Draivo", "/p/shaft.nc", "/app/shaft.bmp"},
        NameCase{"BlankNumberNamesTheFile", "/app", "Draivo    .nc", "/p/as.1.txt",
                 "/app/as.1.bmp"},
        NameCase{"FileWithoutExtension", "/app", "Something", "/p/PART", "/app/PART.bmp"},
        NameCase{"HiddenFileKeepsItsDot", "/app", "Draivo", "/p/.nc", "/app/.nc.bmp"},
        NameCase{"NoFileFallsBack", "/app", "Draivo", "", "/app/Draivo.bmp"},
        NameCase{"FolderOnlyFallsBack", "/app", "Draivo", "/p/..", "/app/Draivo.bmp"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.name; });

constexpr const char* Program =
    ":0012 ;\n"
    "N10 G21 G99 ;\n"
    "N20 G00 X40 Z2 ;\n"
    "N30 G01 Z-30 F0.2 ;\n"
    "N40 G01 X60 Z-40 ;\n"
    "N50 G00 X100 Z50 ;\n"
    "N60 M30 ;\n";

// A simulator that has run the program once, as the menu item requires.
class PictureExportRun : public ::testing::Test {
 protected:
  void SetUp() override {
    programFile = folder.write("O0012.nc", Program);
    host.dialogAnswer = programFile;
    host.attach(sim);
    sim.startupTimer();
    sim.Open();
    ASSERT_EQ(sim.lastOutcome, RunOutcome::ReachedEnd);
    ASSERT_TRUE(sim.menus.figuurOpslaanEnabled);
  }

  PictureExportResult exportTo(const std::string& target) {
    PictureExport exporter(sim);
    exporter.onCoverChanged = [this](bool visible) { cover.push_back(visible); };
    return exporter.run(target);
  }

  TempFolder folder;
  TempFolder pictures;
  std::string programFile;
  ScriptedHost host;
  Simulator sim{host};
  std::vector<bool> cover;
};

TEST_F(PictureExportRun, WritesTheProgramOnWhiteAsTheHeadlessRunDrawsIt) {
  const PictureExportResult result = exportTo(pictures.path().string());
  ASSERT_TRUE(result.written);
  EXPECT_EQ(result.path, (pictures.path() / " O0012.bmp").string());

  const auto saved = test::ReadBmp(result.path);
  ASSERT_TRUE(saved.has_value());
  HeadlessOptions options;
  options.direct = true;
  const HeadlessResult headless = RunHeadless(programFile, options);
  ASSERT_EQ(saved->width, headless.picture.width());
  ASSERT_EQ(saved->height, headless.picture.height());
  int drawn = 0;
  int mismatches = 0;
  for (int row = 0; row < saved->height; ++row) {
    for (int column = 0; column < saved->width; ++column) {
      Colour expected = headless.picture.getPixel(column, row);
      if (expected == headless.picture.backColour())
        expected = White;
      else
        ++drawn;
      if (saved->at(column, row) != expected) ++mismatches;
    }
  }
  EXPECT_GT(drawn, 200);
  EXPECT_EQ(mismatches, 0);
}

// A program without a program number must not take the caption, and so the picture, of the
// program opened before it.
TEST_F(PictureExportRun, ProgramWithoutNumberIsNamedAfterItsFile) {
  const PictureExportResult numbered = exportTo(pictures.path().string());
  host.dialogAnswer = folder.write("shaft.nc", "G00 X40 Z2 ;\nG01 Z-30 F0.2 ;\n");
  sim.Open();
  EXPECT_EQ(sim.caption, "Draivo");
  const PictureExportResult plain = exportTo(pictures.path().string());
  ASSERT_TRUE(plain.written);
  EXPECT_EQ(plain.path, (pictures.path() / "shaft.bmp").string());
  EXPECT_NE(test::ReadBmp(numbered.path)->pixels, test::ReadBmp(plain.path)->pixels);
}

TEST_F(PictureExportRun, PutsViewAndSpeedBackButLeavesStopsOff) {
  sim.setSpeedValue(7);
  sim.toggleStepMode();
  sim.toggleOptionalStop();
  sim.picResult.setPixel(5, 5, rgb(1, 2, 3));  // a mark that the re-run does not draw
  const std::vector<Colour> before = sim.picResult.pixels();

  const PictureExportResult result = exportTo(pictures.path().string());
  ASSERT_TRUE(result.written);
  EXPECT_EQ(sim.view.speedValue, 7);
  EXPECT_EQ(sim.view.DrawDelay, 7);
  EXPECT_FALSE(sim.menus.stapChecked);
  EXPECT_FALSE(sim.menus.optioneelChecked);
  EXPECT_EQ(sim.picResult.backColour(), ButtonFace);
  EXPECT_EQ(sim.picResult.pixels(), before);
  EXPECT_EQ(cover, (std::vector<bool>{true, false}));
  EXPECT_FALSE(sim.run.RunBusy);
}

TEST_F(PictureExportRun, SecondExportOverwritesTheSameFile) {
  const PictureExportResult first = exportTo(pictures.path().string());
  const PictureExportResult second = exportTo(pictures.path().string());
  ASSERT_TRUE(second.written);
  EXPECT_EQ(first.path, second.path);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(pictures.path()))
    ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(PictureExportRun, UnwritableFolderIsReportedAndViewRestored) {
  const std::vector<Colour> before = sim.picResult.pixels();
  const PictureExportResult result = exportTo((pictures.path() / "missing" / "deeper").string());
  EXPECT_TRUE(result.attempted);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(sim.picResult.pixels(), before);
  EXPECT_EQ(sim.picResult.backColour(), ButtonFace);

  host.messages.clear();
  host.messageIcons.clear();
  ReportPictureExport(host, result);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind(std::string(PictureNotSavedTitle) + ": ", 0), 0u);
  EXPECT_NE(host.messages[0].find(result.path), std::string::npos);
  EXPECT_EQ(host.messageIcons[0], MessageIcon::Exclamation);
}

TEST_F(PictureExportRun, SuccessMessageNamesTheFile) {
  const PictureExportResult result = exportTo(pictures.path().string());
  host.messages.clear();
  host.messageIcons.clear();
  ReportPictureExport(host, result);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], std::string("Figuur opgeslaan als ...: ") + result.path);
  EXPECT_EQ(host.messageIcons[0], MessageIcon::Information);
}

TEST_F(PictureExportRun, BusyRunIsNotExported) {
  sim.run.RunBusy = true;
  const std::vector<Colour> before = sim.picResult.pixels();
  const PictureExportResult result = exportTo(pictures.path().string());
  sim.run.RunBusy = false;
  EXPECT_FALSE(result.attempted);
  EXPECT_FALSE(result.written);
  EXPECT_TRUE(cover.empty());
  EXPECT_EQ(sim.picResult.pixels(), before);
  EXPECT_TRUE(std::filesystem::is_empty(pictures.path()));
  host.messages.clear();
  ReportPictureExport(host, result);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(PictureExportRun, ClosingDuringTheExportWritesNothing) {
  host.direct = false;
  host.onWait = [this](ScriptedHost&) { sim.requestQuit(); };
  sim.view.setSpeedValue(3);
  const PictureExportResult result = exportTo(pictures.path().string());
  EXPECT_FALSE(result.attempted);
  EXPECT_TRUE(std::filesystem::is_empty(pictures.path()));
  EXPECT_EQ(sim.view.speedValue, 3);
  EXPECT_EQ(sim.picResult.backColour(), ButtonFace);
}

}  // namespace
}  // namespace draivo
