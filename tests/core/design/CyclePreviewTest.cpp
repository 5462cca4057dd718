#include <gtest/gtest.h>

#include <algorithm>

#include "design/CyclePreview.h"

namespace draivo {
namespace {

int countPixels(const Surface& surface, Colour colour) {
  return static_cast<int>(std::count(surface.pixels().begin(), surface.pixels().end(), colour));
}

CycleFields turningExample() {
  CycleFields f = DefaultCycleFields(SingleCycle::G90);
  f.startX = "52", f.startZ = "2", f.firstX = "48", f.firstZ = "-30", f.lastCut = "40";
  return f;
}

TEST(CyclePreviewMovesTest, ApproachFourMovesPerPassAndReturn) {
  const std::vector<PreviewMove> moves = CyclePreviewMoves(turningExample());
  // Approach, passes at X48, X45, X42 and the final X40, return.
  ASSERT_EQ(moves.size(), 1u + 4 * 4 + 1);
  EXPECT_TRUE(moves.front().rapid);
  EXPECT_DOUBLE_EQ(moves.front().z2, 2);
  EXPECT_DOUBLE_EQ(moves.front().x2, 52);
  EXPECT_GT(moves.front().z1, 2);
  EXPECT_GT(moves.front().x1, 52);
  const PreviewMove& lastCut = moves[1 + 3 * 4 + 1];
  EXPECT_FALSE(lastCut.rapid);
  EXPECT_DOUBLE_EQ(lastCut.x1, 40);
  EXPECT_DOUBLE_EQ(lastCut.z2, -30);
  EXPECT_DOUBLE_EQ(moves.back().z2, 2);
  EXPECT_DOUBLE_EQ(moves.back().x2, 52);
}

TEST(CyclePreviewMovesTest, TaperOfTurningIsDoubledOnTheDiameter) {
  CycleFields f = turningExample();
  f.taper = "-1";
  f.lastCut = "48";
  const std::vector<PreviewMove> moves = CyclePreviewMoves(f);
  ASSERT_GE(moves.size(), 3u);
  EXPECT_DOUBLE_EQ(moves[1].x2, 46);  // rapid to x + taper
  EXPECT_DOUBLE_EQ(moves[2].x2, 50);  // cut ends at x - taper
  EXPECT_DOUBLE_EQ(moves[2].z2, -30);
}

TEST(CyclePreviewMovesTest, FacingCutsMoveInZ) {
  CycleFields f = DefaultCycleFields(SingleCycle::G94);
  f.startX = "52", f.startZ = "2", f.firstX = "20", f.firstZ = "-2", f.taper = "0.5",
  f.lastCut = "-2";
  const std::vector<PreviewMove> moves = CyclePreviewMoves(f);
  ASSERT_GE(moves.size(), 5u);
  EXPECT_DOUBLE_EQ(moves[1].z2, -1.5);
  EXPECT_DOUBLE_EQ(moves[1].x2, 52);
  EXPECT_DOUBLE_EQ(moves[2].z2, -2.5);
  EXPECT_DOUBLE_EQ(moves[2].x2, 20);
  EXPECT_DOUBLE_EQ(moves[3].z2, 2);
  EXPECT_DOUBLE_EQ(moves[4].x2, 52);
}

TEST(CyclePreviewMovesTest, RefusedCutsGiveNoMoves) {
  CycleFields f = turningExample();
  f.step = "0";
  EXPECT_TRUE(CyclePreviewMoves(f).empty());
}

TEST(CyclePreviewMovesTest, HugeValuesStillDrawInsideThePicture) {
  CycleFields f = turningExample();
  f.startX = std::string(308, '9');  // close to the largest double
  Surface surface(200, 150);
  DrawCyclePreview(surface, CyclePreviewMoves(f));
  EXPECT_GT(countPixels(surface, PreviewRapidColour), 0);
}

TEST(PreviewFrameTest, FitsEveryMoveInsideTheMargin) {
  const std::vector<PreviewMove> moves = CyclePreviewMoves(turningExample());
  const int width = 200, height = 150;
  const PreviewFrame frame(moves, width, height);
  for (const PreviewMove& m : moves) {
    for (const double column : {frame.column(m.z1), frame.column(m.z2)}) {
      EXPECT_GE(column, PreviewFrame::Margin - 1e-9);
      EXPECT_LE(column, width - PreviewFrame::Margin + 1e-9);
    }
    for (const double row : {frame.row(m.x1), frame.row(m.x2)}) {
      EXPECT_GE(row, PreviewFrame::Margin - 1e-9);
      EXPECT_LE(row, height - PreviewFrame::Margin + 1e-9);
    }
  }
  // Z grows to the right, X upwards.
  EXPECT_LT(frame.column(-30), frame.column(2));
  EXPECT_GT(frame.row(40), frame.row(52));
}

TEST(PreviewFrameTest, SinglePointLandsInsideThePicture) {
  const std::vector<PreviewMove> moves{{5, 10, 5, 10, false}};
  const PreviewFrame frame(moves, 100, 80);
  EXPECT_GE(frame.column(5), 0);
  EXPECT_LE(frame.column(5), 100);
  EXPECT_GE(frame.row(10), 0);
  EXPECT_LE(frame.row(10), 80);
}

TEST(DrawCyclePreviewTest, DrawsFeedAndRapidMovesInTheirColours) {
  Surface surface(200, 150);
  DrawCyclePreview(surface, CyclePreviewMoves(turningExample()));
  EXPECT_EQ(surface.backColour(), PreviewBackground);
  EXPECT_GT(countPixels(surface, PreviewFeedColour), 100);
  EXPECT_GT(countPixels(surface, PreviewRapidColour), 20);
}

TEST(DrawCyclePreviewTest, NoMovesLeaveABlankPicture) {
  Surface surface(200, 150);
  surface.setPixel(3, 3, Black);
  DrawCyclePreview(surface, {});
  EXPECT_EQ(countPixels(surface, PreviewBackground), 200 * 150);
}

TEST(DrawCyclePreviewTest, CentreLineShownWhenTheAxisIsInView) {
  CycleFields f = DefaultCycleFields(SingleCycle::G94);
  f.startX = "52", f.startZ = "2", f.firstX = "0", f.firstZ = "-1", f.lastCut = "-3";
  Surface surface(200, 150);
  DrawCyclePreview(surface, CyclePreviewMoves(f));
  EXPECT_GT(countPixels(surface, PreviewAxisColour), 50);
  Surface without(200, 150);
  DrawCyclePreview(without, CyclePreviewMoves(turningExample()));
  EXPECT_EQ(countPixels(without, PreviewAxisColour), 0);
}

}  // namespace
}  // namespace draivo
