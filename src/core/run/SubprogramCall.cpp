#include "run/SubprogramCall.h"

#include <algorithm>
#include <cmath>

#include "nc/BlockText.h"
#include "run/FileHelpers.h"

namespace draivo {
namespace {

constexpr std::size_t ProgramNumberLength = 4;

int passesOf(const std::string& repetitionText, bool& capped) {
  if (repetitionText.empty()) return 1;
  const WordRead read = parseNumber(repetitionText);
  if (!read.valid) return 1;
  const double passes = std::nearbyint(read.value);
  capped = passes > MaxSubprogramPasses;
  return static_cast<int>(std::clamp(passes, 0.0, static_cast<double>(MaxSubprogramPasses)));
}

}  // namespace

SubprogramCall SubprogramCallOf(const std::string& block, const std::string& mainProgramFile) {
  const std::size_t p = findLetter(block, 'P');
  const int length = p == 0 ? 0 : WordTextLength(block, p, 1.0);
  const std::string text = block.substr(p, static_cast<std::size_t>(length));
  const std::size_t split =
      text.size() > ProgramNumberLength ? text.size() - ProgramNumberLength : 0;

  SubprogramCall call;
  call.fileName = DirectoryOf(mainProgramFile) + "O" + text.substr(split) + ".nc";
  call.passes = passesOf(text.substr(0, split), call.passesCapped);
  return call;
}

}  // namespace draivo
