#include "design/ProgramEnd.h"

#include "design/ProgramMarkers.h"

namespace draivo {

std::string ProgramEndText() {
  std::string text(RetreatBlock);
  text += LineEnd;
  text += "M30 ;";
  text += LineEnd;
  text += ProgramEndMarker;
  return text;
}

}  // namespace draivo
