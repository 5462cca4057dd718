#include "nc/MoveKind.h"

namespace draivo {

MoveKind firstG0MoveKind(std::string_view block) {
  const auto g0 = block.find("G0");
  if (g0 == std::string_view::npos) return {};
  const char next = g0 + 2 < block.size() ? block[g0 + 2] : '\0';
  return {true, next == '0' || next == ' ' ? LineStyle::Dot : LineStyle::Solid,
          next == '2' || next == '3'};
}

bool RapidModeAfter(std::string_view block, bool before) {
  const auto has = [block](std::string_view text) { return block.find(text) != std::string_view::npos; };
  if (has("G00") || has("G0 ")) return true;
  return has("G") ? false : before;
}

}  // namespace draivo
