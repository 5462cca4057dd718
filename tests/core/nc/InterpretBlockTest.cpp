#include <gtest/gtest.h>

#include "InterpreterFixture.h"
#include "nc/CycleFrame.h"

namespace draivo::test {
namespace {

using Lines = std::vector<std::string>;

struct DispatchCase {
  const char* name;
  Lines program;
  int index;
  Lines trace;
};

void PrintTo(const DispatchCase& c, std::ostream* os) { *os << c.name; }

class DispatchTest : public InterpreterTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatchTest, ExecutesWhatTheBlockAsks) {
  interpret(GetParam().program, GetParam().index);
  EXPECT_EQ(trace, GetParam().trace);
  EXPECT_TRUE(host.faults.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DispatchTest,
    ::testing::Values(
        DispatchCase{"no G", {"G00 X10 Z2 ;", "M03 S800 ;"}, 1, {"M03 S800 ;"}},
        DispatchCase{"letters after G", {"G00 X10 Z2 ;", "GAB X1 ;"}, 1, {"GAB X1 ;"}},
        DispatchCase{"G71 without R", {"G00 X10 Z2 ;", "G71 P10 Q50 U0.4 W0.1 F0.2 ;"}, 1,
                     {"G71 P10 Q50 U0.4 W0.1 F0.2 ;"}},
        DispatchCase{"G76 without P", {"G00 X10 Z2 ;", "G76 Q100 R0.05 ;"}, 1, {"G76 Q100 R0.05 ;"}},
        DispatchCase{"program number with G70", {"G00 X10 Z2 ;", ":0012 G70 ;"}, 1, {":0012 G70 ;"}},
        DispatchCase{"peck cycle", {"G00 X10 Z2 ;", "G74 R1 ;"}, 1, {"G74 R1 ;"}},
        DispatchCase{"drilling cycle", {"G00 X0 Z2 ;", "G83 Z-20 Q5 F0.1 ;"}, 1, {"G83 Z-20 Q5 F0.1 ;"}},
        DispatchCase{"G1 is no cycle", {"G00 X10 Z2 ;", "G1 X5 ;"}, 1, {"G1 X5 ;"}},
        DispatchCase{"first G decides",
                     {"G00 X52 Z2 ;", "M03 G90 X48 Z-30 F0.2 ;", "G00 X100 ;"}, 1,
                     {"G00 X48 ;", "G01 Z-30 X48 F0.2 ;", "X52 ;", "G00 X52 Z2 ;", "G00 X100 ;"}},
        DispatchCase{"single cycle ends at a G71 block",
                     {"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "G71 U2 R1 ;"}, 1,
                     {"G00 X48 ;", "G01 Z-30 X48 F0.2 ;", "X52 ;", "G00 X52 Z2 ;", "G71 U2 R1 ;"}},
        DispatchCase{"M05 is a repetition line",
                     {"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "M05 ;", "G00 X100 ;"}, 1,
                     {"G00 X48 ;", "G01 Z-30 X48 F0.2 ;", "X52 ;", "G00 X52 Z2 ;", "X0 ;",
                      "G01 Z-30 X0 ;", "X52 ;", "G00 Z2 ;", "G00 X100 ;"}}));

TEST_F(InterpreterTest, SingleCycleStoresTheEndingBlockAsResumePosition) {
  interpret({"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "X46 ;", "X44 ;", "G00 X100 Z100 ;", "M30 ;"}, 1);
  EXPECT_EQ(host.blockPosition, 4);
  EXPECT_EQ(list.ListIndex(), 4);
  EXPECT_EQ(list.TopIndex(), 4);
  EXPECT_EQ(host.shown, (Lines{"X46 ;", "X44 ;", "G00 X100 Z100 ;"}));
}

struct FaultCase {
  const char* name;
  Lines program;
  int index;
  const char* message;
  int resume;  // -1: not stored
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class CycleFaultTest : public InterpreterTest, public ::testing::WithParamInterface<FaultCase> {};

// A cycle whose blocks the program does not provide stops there, reported once, and the
// list is never read past its end.
TEST_P(CycleFaultTest, StopsTheCycleAndReportsOnce) {
  interpret(GetParam().program, GetParam().index);
  ASSERT_EQ(host.faults.size(), 1u);
  EXPECT_EQ(host.faults[0].rfind(GetParam().message, 0), 0u) << host.faults[0];
  EXPECT_EQ(host.blockPosition, GetParam().resume);
  EXPECT_LT(list.ListIndex(), list.ListCount());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CycleFaultTest,
    ::testing::Values(
        FaultCase{"cycle first", {"G90 X48 Z-30 F0.2 ;", "G00 X100 ;"}, 0, NoStartBlockMessage, -1},
        FaultCase{"G76 after G97 first", {"G97 S800 ;", "G76 P020060 Q100 ;"}, 1, NoStartBlockMessage, -1},
        FaultCase{"repetition to the end", {"G00 X52 Z2 ;", "G90 X48 Z-30 F0.2 ;", "X46 ;"}, 1,
                  EndOfProgramMessage, 2},
        FaultCase{"G71 without second block", {"G00 X51 Z2 ;", "G71 U2 R1 ;"}, 1, EndOfProgramMessage, 1},
        FaultCase{"G76 without second block", {"G00 X25 Z5 ;", "G76 P020060 Q100 R0.05 ;"}, 1,
                  EndOfProgramMessage, 1},
        FaultCase{"G73 without second block", {"G00 X51 Z2 ;", "G73 U4 W0 R2 ;"}, 1, EndOfProgramMessage, 1},
        FaultCase{"G71 contour never ends",
                  {"G00 X51 Z2 ;", "G71 U2 R1 ;", "G71 P40 Q60 U0 W0 ;", "N40 G00 X20 ;", "N50 G01 Z-30 ;"},
                  1, MissingContourEndMessage, 4},
        FaultCase{"G70 contour never ends",
                  {"G00 X51 Z2 ;", "N40 G00 X20 ;", "N50 G01 Z-30 ;", "G70 P40 Q60 ;"}, 3,
                  MissingContourEndMessage, -1},
        FaultCase{"G73 contour never ends",
                  {"G00 X51 Z2 ;", "G73 U4 W0 R3 ;", "G73 P40 Q60 U0.4 W0 ;", "N40 G00 X20 ;"}, 1,
                  MissingContourEndMessage, 3}));

// The missing end is found before the walk: nothing of the contour is drawn, only the
// return to the start point, and the run goes on after the cycle block.
TEST_F(InterpreterTest, FinishingWithoutItsLastBlockDrawsNothingOfTheContour) {
  interpret({"G00 X51 Z2 ;", "G70 P40 Q60 ;", "N40 G00 X20 ;", "N50 G01 Z-30 ;"}, 1);
  EXPECT_EQ(host.faults, (Lines{std::string(MissingContourEndMessage) + "N60"}));
  EXPECT_EQ(trace, (Lines{"G00 X51 Z2 ;"}));
  EXPECT_TRUE(host.shown.empty());
  EXPECT_EQ(list.ListIndex(), 1);
}

TEST_F(InterpreterTest, ThreadWithoutDepthStepMakesOnlyTheFirstPass) {
  interpret({"G00 X15 Z5 ;", "G76 P020060 Q0 R0.05 ;", "G76 X18.16 Z-30 R0 P920 Q300 F1.5 ;"}, 1);
  // inside thread (15 < 18.16): one pass of four blocks and the return
  EXPECT_EQ(trace, (Lines{"G00 X16.92 ;", "G01 X16.92 Z-30 ;", "G00 X15 ;", "G00 Z5 ;", "G00 X15 Z5 ;"}));
  EXPECT_EQ(host.blockPosition, 2);
}

TEST_F(InterpreterTest, PatternRepeatPassCountIsCapped) {
  interpret({"G00 X51 Z2 ;", "G73 U4 W0 R1E9 ;", "G73 P40 Q40 U0.4 W0 ;", "N40 G01 X20 ;"}, 1);
  ASSERT_EQ(host.faults.size(), 1u);
  EXPECT_EQ(host.faults[0].rfind(PassLimitMessage, 0), 0u);
  // each pass: the contour block and the return, then the final return
  EXPECT_EQ(trace.size(), static_cast<std::size_t>(2 * MaxCyclePasses + 1));
}

TEST_F(InterpreterTest, PatternRepeatFromAnEarlierContourNeverResumesBackwards) {
  interpret({"N40 G01 X20 ;", "N50 G01 Z-10 ;", "G00 X51 Z2 ;", "G73 U4 W0 R2 ;", "G73 P40 Q50 U0.4 W0 ;"}, 3);
  EXPECT_EQ(host.blockPosition, 4);
}

TEST_F(InterpreterTest, JumpToBlockPointMovesThePenWithoutDrawing) {
  view.ZoomFactor = 3.4;
  const auto before = picResult.revision();
  interpreter.JumpToBlockPoint("G00 X40 Z2 ;");
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 666.8);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 272);
  interpreter.JumpToBlockPoint("G01 Z-20 ;");
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 592);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 272);
  interpreter.JumpToBlockPoint("M05 ;");  // no word: the pen stays
  EXPECT_DOUBLE_EQ(view.CurrentPointZ, 592);
  EXPECT_DOUBLE_EQ(view.CurrentPointX, 272);
  EXPECT_EQ(picResult.revision(), before);
}

}  // namespace
}  // namespace draivo::test
