#include <gtest/gtest.h>

#include "InterpreterFixture.h"

namespace draivo::test {
namespace {

struct StatusCase {
  const char* name;
  std::vector<std::string> blocks;
  MachineStatus expected;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

MachineStatus statusWith(std::string unit, std::string radComp, std::string maxSpeed,
                         std::string constantCaption, std::string constant, std::string feed) {
  MachineStatus s;
  s.lblMeasureUnitV = std::move(unit);
  s.lblRadCompV = std::move(radComp);
  s.lblMaxSpeedV = std::move(maxSpeed);
  s.lblConstant = std::move(constantCaption);
  s.lblConstantV = std::move(constant);
  s.lblFeedV = std::move(feed);
  return s;
}

class StatusLabelTest : public InterpreterTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLabelTest, ShowTheModalValues) {
  for (const auto& block : GetParam().blocks) interpreter.ExecuteBlock(block);
  const MachineStatus& e = GetParam().expected;
  EXPECT_EQ(status.lblMeasureUnitV, e.lblMeasureUnitV);
  EXPECT_EQ(status.lblRadCompV, e.lblRadCompV);
  EXPECT_EQ(status.lblMaxSpeedV, e.lblMaxSpeedV);
  EXPECT_EQ(status.lblConstant, e.lblConstant);
  EXPECT_EQ(status.lblConstantV, e.lblConstantV);
  EXPECT_EQ(status.lblFeedV, e.lblFeedV);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, StatusLabelTest,
    ::testing::Values(
        StatusCase{"G96", {"G96 S180 ;"}, statusWith("", "", "", "Constant snijsnelheid :", "180", "")},
        StatusCase{"G97", {"G97 S1200 ;"}, statusWith("", "", "", "Constant toerental :", "1200", "")},
        StatusCase{"feed without unit", {"G01 F0.2 ;"}, statusWith("", "", "", "Constant :", "", "0.2")},
        StatusCase{"feed after G99", {"G99 ;", "G01 F0.2 ;"},
                   statusWith("", "", "", "Constant :", "", "0.2 mm/tr")},
        StatusCase{"feed after G98", {"G98 F150 ;"}, statusWith("", "", "", "Constant :", "", "150 mm/min")},
        StatusCase{"units and compensation", {"G21 G40 ;", "G20 G42 ;", "G41 ;"},
                   statusWith("Duim", "Links", "", "Constant :", "", "")},
        StatusCase{"speed limit", {"G50 S2500 ;"}, statusWith("", "", "2500", "Constant :", "", "")},
        StatusCase{"G50 without S is no limit", {"G50 X100 Z100 ;"}, statusWith("", "", "", "Constant :", "", "")},
        StatusCase{"millimetres", {"G21 ;"}, statusWith("Millimeters", "", "", "Constant :", "", "")}));

TEST_F(InterpreterTest, StopBlockClearsLabelsAndPictureAfterTwoSeconds) {
  interpreter.ExecuteBlock("G96 S180 F0.2 ;");
  interpreter.ExecuteBlock("T0202 ;");
  picResult.setPixel(5, 5, Black);
  interpreter.ExecuteBlock("M00 ;");
  EXPECT_EQ(host.waits, (std::vector<int>{2000}));
  EXPECT_EQ(status.lblConstantV, "");
  EXPECT_EQ(status.lblFeedV, "");
  EXPECT_EQ(picResult.getPixel(5, 5), ButtonFace);
  EXPECT_EQ(view.ToolColourIndex, 0);
  EXPECT_EQ(view.PenColour, Black);
  EXPECT_EQ(picResult.foreColour, Black);
}

TEST_F(InterpreterTest, ZeroPointMessageShowsForTwoSeconds) {
  interpreter.ExecuteBlock("G10 Z-12.5 ;");
  EXPECT_EQ(status.lblNullPoint, "Nul Punt : Z-12.5");
  EXPECT_FALSE(status.nullPointVisible);
  EXPECT_EQ(host.waits, (std::vector<int>{2000}));
}

TEST_F(InterpreterTest, DwellWaitsAndDrawsNothing) {
  const auto before = picResult.revision();
  interpreter.ExecuteBlock("G04 U500 ;");
  interpreter.ExecuteBlock("G04 U-5 ;");
  EXPECT_EQ(host.waits, (std::vector<int>{500, 0}));
  EXPECT_EQ(picResult.revision(), before);
}

TEST_F(InterpreterTest, ToolChangesStepThroughTheColourCycle) {
  const std::vector<Colour> expected = {rgb(255, 0, 255), rgb(128, 0, 0),   rgb(255, 128, 0),
                                        rgb(192, 0, 0),   rgb(0, 192, 0),   rgb(0, 128, 0),
                                        rgb(128, 128, 255), rgb(0, 0, 192), rgb(255, 0, 255)};
  for (Colour colour : expected) {
    interpreter.ExecuteBlock("T0202 ;");
    EXPECT_EQ(view.PenColour, colour);
    EXPECT_EQ(picResult.foreColour, colour);
  }
  const int index = view.ToolColourIndex;
  interpreter.ExecuteBlock("G00 T0303 ;");  // with a G0 word no tool change is counted
  EXPECT_EQ(view.ToolColourIndex, index);
}

TEST_F(InterpreterTest, LineStyleFollowsTheFirstG0Word) {
  interpreter.ExecuteBlock("G00 X10 ;");
  EXPECT_EQ(picResult.drawStyle, LineStyle::Dot);
  interpreter.ExecuteBlock("X12 ;");  // no G word: the style stays
  EXPECT_EQ(picResult.drawStyle, LineStyle::Dot);
  interpreter.ExecuteBlock("G01 X14 ;");
  EXPECT_EQ(picResult.drawStyle, LineStyle::Solid);
  interpreter.ExecuteBlock("G00 X10 ;");
  interpreter.ExecuteBlock("G32 X10 Z-5 F1 ;");
  EXPECT_EQ(picResult.drawStyle, LineStyle::Solid);
}

TEST_F(InterpreterTest, ProgramNumberLineSetsCaption) {
  list.AddItem(":0012 ;");
  list.setListIndex(0);
  interpreter.ExecuteBlock(":0012 ;");
  EXPECT_EQ(host.caption, "Draivo O0012.nc");
  EXPECT_NE(view.PenColour, rgb(128, 0, 0));
}

TEST_F(InterpreterTest, ProgramZeroLinePutsThePenOnTheZeroPoint) {
  list.AddItem(":7001 ;");
  list.setListIndex(0);
  interpreter.ExecuteBlock(":7001 ;");
  EXPECT_EQ(host.caption, "Draivo O7001.nc");
  EXPECT_EQ(view.PenColour, rgb(128, 0, 0));
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, view.ViewOriginZ);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, view.ViewOriginX);
}

TEST_F(InterpreterTest, ExecuteReportsEveryBlockToTheTrace) {
  interpreter.ExecuteBlock("G00 X10 ;");
  interpreter.ExecuteBlock("(CLS) ;");
  EXPECT_EQ(trace, (std::vector<std::string>{"G00 X10 ;", "(CLS) ;"}));
  EXPECT_EQ(host.waits, (std::vector<int>{2000}));
}

}  // namespace
}  // namespace draivo::test
