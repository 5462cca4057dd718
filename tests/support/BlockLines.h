#pragma once

#include <string>
#include <vector>

#include "nc/BlockTexts.h"

namespace draivo::test {

// The entries of block texts as strings, for comparing them with expected lines.
inline std::vector<std::string> linesOf(const BlockTexts& texts) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < texts.size(); ++i) lines.emplace_back(texts[i]);
  return lines;
}

inline BlockTexts textsOf(const std::vector<std::string>& lines) {
  BlockTexts texts;
  for (const auto& line : lines) texts.add(line);
  return texts;
}

}  // namespace draivo::test
