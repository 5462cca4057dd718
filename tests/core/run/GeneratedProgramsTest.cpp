// Generated programs of every kind of block give the trace and the picture recorded before the
// interpreter and the drawing were made faster: hashes of both, at three zoom factors, drawn
// at once and pixel by pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ProgramGenerator.h"
#include "run/HeadlessRun.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

// FNV-1a, 64 bits.
class Fnv {
 public:
  void add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ bytes[i]) * Prime;
  }
  std::uint64_t value() const { return hash_; }

 private:
  static constexpr std::uint64_t Prime = 0x100000001b3;
  std::uint64_t hash_ = 0xcbf29ce484222325;
};

std::uint64_t pictureHash(const Surface& picture) {
  Fnv fnv;
  for (int row = 0; row < picture.height(); ++row) {
    for (int column = 0; column < picture.width(); ++column) {
      const Colour colour = picture.getPixel(column, row);
      fnv.add(&colour, sizeof colour);
    }
  }
  return fnv.value();
}

enum class Mix { Everything, MovesOnly };

struct IdentityCase {
  const char* name;
  Mix mix;
  std::size_t lines;
  double zoom;
  bool direct;
  std::uint64_t executed;
  std::uint64_t trace;
  std::uint64_t picture;
};

void PrintTo(const IdentityCase& c, std::ostream* os) {
  *os << c.name;
}

// Recorded with the interpreter and drawing code as they were before they were optimised.
const IdentityCase identityCases[] = {
    {"MixedZoom34Direct", Mix::Everything, 700, 3.4, true, 3445, 0xfe0fe5522ef23fa5,
     0xd25ac5ed5cfc9782},
    {"MixedZoom34Pixels", Mix::Everything, 700, 3.4, false, 3445, 0xfe0fe5522ef23fa5,
     0xad84a08554e14695},
    {"MixedZoom1Direct", Mix::Everything, 700, 1, true, 3269, 0xad8a27188e236e3c,
     0x2e30a55125817b62},
    {"MixedZoom1Pixels", Mix::Everything, 700, 1, false, 3269, 0xad8a27188e236e3c,
     0x16041b6369e3022d},
    {"MixedZoom20Direct", Mix::Everything, 700, 20, true, 2037, 0xfb39ca17d1b6eb44,
     0x914ed45c2b6b283a},
    {"MixedZoom20Pixels", Mix::Everything, 700, 20, false, 2037, 0xfb39ca17d1b6eb44,
     0xc79d2243df0fdf2d},
    {"MovesZoom34Pixels", Mix::MovesOnly, 500, 3.4, false, 692, 0x8196653d851bed05,
     0x1a828b039ff888b2},
    {"MovesZoom20Direct", Mix::MovesOnly, 500, 20, true, 692, 0x8196653d851bed05,
     0xe2e9149b36289062},
};

class GeneratedProgramTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(GeneratedProgramTest, TraceAndPictureAreAsRecorded) {
  const IdentityCase& c = GetParam();
  bench::GeneratorMix mix = c.mix == Mix::MovesOnly ? bench::MovesOnlyMix() : bench::GeneratorMix{};
  mix.subprogramEvery = 3;  // a few subprogram calls in a short program
  TempFolder folder;
  const auto file = bench::WriteProgram(bench::GenerateProgram(c.lines, mix), folder.path());

  Fnv trace;
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

  EXPECT_EQ(result.exit(), HeadlessExit::ReachedEnd);
  EXPECT_TRUE(result.messages.empty());
  EXPECT_EQ(executed, c.executed);
  EXPECT_EQ(trace.value(), c.trace);
  EXPECT_EQ(pictureHash(result.picture), c.picture);
}

INSTANTIATE_TEST_SUITE_P(Identity, GeneratedProgramTest, ::testing::ValuesIn(identityCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace draivo::test
