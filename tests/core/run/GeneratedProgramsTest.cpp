// Generated programs of every kind of block give the trace and the picture recorded before the
// interpreter and the drawing were made faster: hashes of both, at three zoom factors, drawn
// at once and pixel by pixel.
#include <gtest/gtest.h>

#include <cstdint>

#include "ProgramGenerator.h"
#include "run/HeadlessRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

// FNV-1a, 64 bits.
struct Fnv {
  std::uint64_t hash = 0xcbf29ce484222325;
  void add(const void* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 0x100000001b3;
    }
  }
};

TEST(GeneratedPrograms, TraceAndPictureAreAsRecorded) {
  const struct {
    bool movesOnly;
    std::size_t lines;
    double zoom;
    bool direct;
    std::uint64_t executed, trace, picture;
  } cases[] = {
      {false, 700, 3.4, false, 3445, 0xfe0fe5522ef23fa5, 0xad84a08554e14695},
      {false, 700, 1, true, 3269, 0xad8a27188e236e3c, 0x2e30a55125817b62},
      {false, 700, 20, false, 2037, 0xfb39ca17d1b6eb44, 0xc79d2243df0fdf2d},
      {true, 500, 3.4, false, 692, 0x8196653d851bed05, 0x1a828b039ff888b2},
      {true, 500, 20, true, 692, 0x8196653d851bed05, 0xe2e9149b36289062},
  };
  for (const auto& c : cases) {
    bench::GeneratorMix mix = c.movesOnly ? bench::MovesOnlyMix() : bench::GeneratorMix{};
    mix.subprogramEvery = 3;  // a few subprogram calls in a short program
    TempFolder folder;
    const auto file = bench::WriteProgram(bench::GenerateProgram(c.lines, mix), folder.path());
    Fnv trace, picture;
    std::uint64_t executed = 0;
    HeadlessOptions options;
    options.zoom = c.zoom;
    options.direct = c.direct;
    options.collectTrace = false;
    options.onTrace = [&](const std::string& block) {
      ++executed;
      trace.add(block.data(), block.size());
      trace.add("\n", 1);
    };
    const HeadlessResult result = RunHeadless(file.string(), options);
    for (int row = 0; row < result.picture.height(); ++row) {
      for (int column = 0; column < result.picture.width(); ++column) {
        const Colour colour = result.picture.getPixel(column, row);
        picture.add(&colour, sizeof colour);
      }
    }
    EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(executed, c.executed) << c.zoom;
    EXPECT_EQ(trace.hash, c.trace) << c.zoom;
    EXPECT_EQ(picture.hash, c.picture) << c.zoom;
  }
}

}  // namespace
}  // namespace draivo::test
