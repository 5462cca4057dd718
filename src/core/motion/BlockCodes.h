#pragma once

#include <bitset>
#include <string_view>

namespace draivo {

// The G and M codes of a block, whatever their spelling (G0, G00).
struct BlockCodes {
  static constexpr int CodeCount = 100;  // codes of up to two digits

  BlockCodes() = default;
  explicit BlockCodes(std::string_view block);

  std::bitset<CodeCount> g, m;
};

}  // namespace draivo
