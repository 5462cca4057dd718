#include "run/ProgramLoader.h"

#include <algorithm>
#include <string_view>

#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"
#include "run/FileHelpers.h"

namespace draivo {

LoadedProgram LoadProgramText(const std::string& text) {
  LoadedProgram program;
  // A final line break ends the last line and adds no empty line after it.
  for (std::size_t at = 0; at < text.size();) {
    const std::string_view line = NextLine(text, at);
    if (line == ProgramStartLine) continue;
    if (line.empty() || line == ProgramEndMarker) break;
    if (program.blocks.size() >= MaxProgramLines) {
      program.tooLong = true;
      break;
    }
    std::string block = NormaliseBlock(line);
    if (contains(block, ":")) program.caption = CaptionOf(block);
    program.blocks.push_back(std::move(block));
  }
  return program;
}

}  // namespace draivo
