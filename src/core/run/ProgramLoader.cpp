#include "run/ProgramLoader.h"

#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"
#include "run/FileHelpers.h"

namespace draivo {

std::string CaptionOf(const std::string& block) {
  const std::string number = block.size() > 1 ? block.substr(1, 4) : std::string();
  return "Draivo O" + number + ".nc";
}

LoadedProgram LoadProgramText(const std::string& text) {
  LoadedProgram program;
  for (const std::string& line : SplitLines(text)) {
    if (line == ProgramStartLine) continue;
    if (line.empty() || line == ProgramEndMarker) break;
    std::string block = NormaliseBlock(line);
    if (contains(block, ":")) program.caption = CaptionOf(block);
    program.blocks.push_back(std::move(block));
  }
  return program;
}

}  // namespace draivo
