#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "render/Colour.h"

namespace draivo::test {

// A picture read back from an uncompressed 24-bit bitmap file.
struct BmpPicture {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // row by row from the top

  Colour at(int column, int row) const {
    return pixels[static_cast<std::size_t>(row * width + column)];
  }
};

inline std::optional<BmpPicture> ReadBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  const auto number = [&bytes](std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
  };
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || number(28, 2) != 24) return {};
  const auto width = static_cast<int>(number(18, 4));
  const auto rawHeight = static_cast<std::int32_t>(number(22, 4));  // > 0: rows from the bottom
  BmpPicture picture{width, rawHeight > 0 ? rawHeight : -rawHeight, {}};
  const std::size_t offset = number(10, 4),
                    stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (bytes.size() < offset + stride * static_cast<std::size_t>(picture.height)) return {};
  for (int row = 0; row < picture.height; ++row) {
    const int fileRow = rawHeight > 0 ? picture.height - 1 - row : row;
    for (int column = 0; column < width; ++column) {
      const std::size_t at = offset + stride * static_cast<std::size_t>(fileRow) +
                             static_cast<std::size_t>(column) * 3;
      picture.pixels.push_back(rgb(bytes[at + 2], bytes[at + 1], bytes[at]));
    }
  }
  return picture;
}

}  // namespace draivo::test
