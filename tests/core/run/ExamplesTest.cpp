#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "GoldenCase.h"
#include "render/Colour.h"
#include "run/HeadlessRun.h"
#include "support/SurfaceReader.h"

namespace draivo::test {
namespace {

struct ExampleCase {
  const char* file;
  const char* mustExecute;  // a block the run has to reach
  int timesExecuted;
};

void PrintTo(const ExampleCase& c, std::ostream* os) {
  *os << c.file;
}

// DRAIVO_EXAMPLES, or else the examples folder beside tests/ of the test data.
std::filesystem::path examplesFolder() {
  if (const char* folder = std::getenv("DRAIVO_EXAMPLES")) return folder;
  return GoldenDataFolder().parent_path().parent_path() / "examples";
}

class ExampleTest : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(ExampleTest, RunsToItsEndAndDraws) {
  const ExampleCase& c = GetParam();
  const auto file = examplesFolder() / c.file;
  ASSERT_TRUE(std::filesystem::is_regular_file(file)) << file;
  const HeadlessResult result = RunHeadless(file.string(), {});
  EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd);
  EXPECT_TRUE(result.messages.empty()) << result.messages.front();
  EXPECT_EQ(std::count(result.trace.begin(), result.trace.end(), c.mustExecute), c.timesExecuted);
  // Tool paths in a tool colour beside the blue axis cross on the button-face background.
  EXPECT_GT(CountPixelsOtherThan(result.picture, ButtonFace, Blue), 200);
}

INSTANTIATE_TEST_SUITE_P(Programs, ExampleTest,
                         ::testing::Values(ExampleCase{"shaft.nc", "N230 M30 ;", 1},
                                           ExampleCase{"face.nc", "N150 M30 ;", 1},
                                           ExampleCase{"thread.nc", "G00 X19.4 ;", 1},
                                           ExampleCase{"subprogram.nc", "N1 G01 X32 F0.08 ;", 3}));

}  // namespace
}  // namespace draivo::test
