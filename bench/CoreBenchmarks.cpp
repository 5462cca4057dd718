// Timings of the hot paths of a run: block normalising, the pixel-by-pixel primitives, one
// roughing cycle and a whole large program without a window.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProgramGenerator.h"
#include "nc/BlockText.h"
#include "render/PixelDrawing.h"
#include "render/Surface.h"
#include "run/FileHelpers.h"
#include "run/HeadlessRun.h"
#include "run/ProgramFileCheck.h"
#include "run/ProgramLoader.h"

namespace draivo::bench {
namespace {

constexpr std::size_t LargeProgramBlocks = 100000;
constexpr double StartZoom = 3.4;

// A folder of generated programs that lives as long as the benchmark process.
class ProgramFolder {
 public:
  ProgramFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("draivo-bench-" + std::to_string(::getpid()))) {}
  ~ProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string write(const std::string& name, const GeneratedProgram& program) const {
    return WriteProgram(program, path_ / name).string();
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const ProgramFolder& folder() {
  static const ProgramFolder instance;
  return instance;
}

const std::string& largeProgram() {
  static const std::string path = folder().write("large", GenerateProgram(LargeProgramBlocks));
  return path;
}

const std::string& roughingProgram() {
  static const std::string path = folder().write("g71", RoughingCycleProgram());
  return path;
}

// Lines as they come from a file: lower case, without blanks, with trailing points.
std::vector<std::string> rawLines() {
  std::vector<std::string> raw;
  for (const std::string& line : GenerateProgram(2000).lines) {
    std::string packed;
    for (const char c : line) {
      if (c == ' ') continue;
      packed += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    raw.push_back(packed);
  }
  return raw;
}

void BM_NormaliseBlock(benchmark::State& state) {
  const std::vector<std::string> lines = rawLines();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NormaliseBlock(lines[i]));
    i = (i + 1) % lines.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NormaliseBlock);

void BM_ReadWordValue(benchmark::State& state) {
  const std::string block = "N100010 G01 X40.125 Z-32.5 F0.25 ;";
  const std::size_t z = findLetter(block, 'Z');
  for (auto _ : state) benchmark::DoNotOptimize(ReadWordValue(block, z, StartZoom));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadWordValue);

// The hooks of a run: a refresh and a wait of 0 ms after every pixel.
DrawHooks countingHooks(std::int64_t& pixels) {
  DrawHooks hooks;
  hooks.refresh = [&pixels] { ++pixels; };
  hooks.wait = [](int) {};
  return hooks;
}

void BM_LineByPixel(benchmark::State& state) {
  Surface picture;
  std::int64_t pixels = 0;
  const DrawHooks hooks = countingHooks(pixels);
  for (auto _ : state) {
    double z1 = 10, x1 = 20, z2 = 690, x2 = 350;
    LineByPixel(picture, hooks, Black, 0, z1, x1, z2, x2);
  }
  state.SetItemsProcessed(pixels);  // items per second: pixels per second
}
BENCHMARK(BM_LineByPixel);

void BM_ArcByPixel(benchmark::State& state) {
  Surface picture;
  std::int64_t pixels = 0;
  const DrawHooks hooks = countingHooks(pixels);
  const double radius = static_cast<double>(state.range(0));
  for (auto _ : state) {
    std::string start = "0", end = "360";
    ArcByPixel(picture, hooks, 0, 350, 180, radius, false, Black, start, end);
  }
  state.SetItemsProcessed(pixels);
}
BENCHMARK(BM_ArcByPixel)->Arg(20)->Arg(150);

HeadlessOptions runOptions(bool direct) {
  HeadlessOptions options;
  options.zoom = StartZoom;
  options.direct = direct;
  options.collectTrace = false;
  options.stepBudget = HeadlessOptions::MinimumStepBudget * 10;
  return options;
}

void BM_G71Cycle30Passes(benchmark::State& state) {
  const std::string& path = roughingProgram();
  HeadlessOptions options = runOptions(false);
  int retracts = 0;
  options.onTrace = [&retracts](const std::string& block) {
    if (block.rfind("G00 U", 0) == 0) ++retracts;
  };
  for (auto _ : state) {
    retracts = 0;
    const HeadlessResult result = RunHeadless(path, options);
    if (result.exit() != HeadlessExit::ReachedEnd) state.SkipWithError("run did not reach its end");
  }
  state.counters["passes"] = retracts;
}
BENCHMARK(BM_G71Cycle30Passes)->Unit(benchmark::kMillisecond);

void BM_LargeProgram(benchmark::State& state) {
  const std::string& path = largeProgram();
  const HeadlessOptions options = runOptions(state.range(0) != 0);
  std::uint64_t executed = 0;
  for (auto _ : state) {
    HeadlessOptions counted = options;
    executed = 0;
    counted.onTrace = [&executed](const std::string&) { ++executed; };
    const HeadlessResult result = RunHeadless(path, counted);
    if (result.exit() != HeadlessExit::ReachedEnd) state.SkipWithError("run did not reach its end");
  }
  state.counters["executed"] = static_cast<double>(executed);
}
BENCHMARK(BM_LargeProgram)
    ->ArgName("direct")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The largest program file the loader takes, 64 MiB of CAM lines (2.8 million of them), and
// the generated program of a million lines: what the check that a file is program text costs
// beside the whole load.
const std::string& largestFile() {
  static const std::string path = [] {
    const std::string line = "N0010 G01 X45.5 Z-12.2 ;\r\n";
    std::string text;
    text.reserve(MaxProgramFileBytes);
    while (text.size() + line.size() <= MaxProgramFileBytes) text += line;
    std::filesystem::create_directories(folder().path());
    const auto file = folder().path() / "largest.nc";
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }();
  return path;
}

const std::string& millionLines() {
  static const std::string path = folder().write("million", GenerateProgram(1'000'000));
  return path;
}

const std::string& loadedFile(std::int64_t which) {
  return which == 0 ? largestFile() : millionLines();
}

void BM_ProgramTextCheck(benchmark::State& state) {
  std::ifstream in(loadedFile(state.range(0)), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  for (auto _ : state) {
    ProgramTextCheck check;
    check.add(bytes);
    if (!check.passed()) state.SkipWithError("refused");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ProgramTextCheck)->ArgName("million")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LoadProgramFile(benchmark::State& state) {
  const std::string& path = loadedFile(state.range(0));
  for (auto _ : state) {
    const ProgramFileLoad load = LoadProgramFile(path);
    if (!load.program) state.SkipWithError("not loaded");
    benchmark::DoNotOptimize(load.program->blocks->size());
  }
}
BENCHMARK(BM_LoadProgramFile)
    ->ArgName("million")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace draivo::bench
