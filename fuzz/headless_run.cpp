// A whole run without a window of an arbitrary main program and up to three subprograms
// (O0001.nc to O0003.nc), split from the input at lines "~~~". A step budget bounds every
// run: an input that needs more steps is stopped and counted as a finding only if the stop
// does not come promptly (the fuzzer's -timeout).
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "run/HeadlessRun.h"
#include "time/TimeTable.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view PartSeparator = "\n~~~\n";
constexpr std::size_t MostParts = 4;  // the main program and three subprograms
constexpr std::uint64_t StepBudget = 20000;
constexpr double Zooms[] = {1.0, 3.4, 20.0};

const fs::path& folder() {
  static const fs::path path = [] {
    fs::path p = fs::temp_directory_path() / ("draivo-fuzz-run-" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return path;
}

void writeFile(const fs::path& file, const std::string& content) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts =
      draivo::fuzz::splitParts(draivo::fuzz::asText(data, size), PartSeparator, MostParts);
  const fs::path main = folder() / "program.nc";
  writeFile(main, parts[0]);
  for (std::size_t i = 1; i < MostParts; ++i) {
    const fs::path sub = folder() / ("O000" + std::to_string(i) + ".nc");
    if (i < parts.size()) {
      writeFile(sub, parts[i]);
    } else {
      std::error_code ignored;
      fs::remove(sub, ignored);
    }
  }

  draivo::HeadlessOptions options;
  options.zoom = Zooms[size % std::size(Zooms)];
  options.direct = (size / std::size(Zooms)) % 2 == 1;
  options.stepBudget = StepBudget;
  options.collectTrace = false;
  options.recordTime = true;
  const draivo::HeadlessResult result = draivo::RunHeadless(main.string(), options);

  // An exception that escapes the interpreter ends the run as a fault: always a defect.
  DRAIVO_FUZZ_CHECK(result.outcome != draivo::RunOutcome::Fault);
  DRAIVO_FUZZ_CHECK(result.outcome != draivo::RunOutcome::None);
  DRAIVO_FUZZ_CHECK(result.picture.width() == draivo::Surface::ViewWidth);
  DRAIVO_FUZZ_CHECK(result.picture.pixels().size() ==
                    static_cast<std::size_t>(draivo::Surface::ViewWidth) *
                        draivo::Surface::ViewHeight);
  DRAIVO_FUZZ_CHECK(result.budgetExhausted || result.outcome != draivo::RunOutcome::Aborted);
  // A time is a number or "onbekend", never infinity or not-a-number.
  const std::string table = draivo::FormatTimeTable(draivo::MakeTimeTable(result.time, 0));
  DRAIVO_FUZZ_CHECK(table.find("inf") == std::string::npos);
  DRAIVO_FUZZ_CHECK(table.find("nan") == std::string::npos);
  return 0;
}
