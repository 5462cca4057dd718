#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace draivo {

// Where each ASCII character first stands in a block, found in one pass, so that the words and
// codes of a block are looked up without scanning it once per letter. The answers are those of
// findLetter, contains and wordValue.
class BlockScan {
 public:
  explicit BlockScan(std::string_view block);

  std::string_view block() const { return block_; }
  // 1-based, 0 when absent.
  std::size_t first(char c) const {
    const auto index = static_cast<unsigned char>(c);
    return index < first_.size() ? first_[index] : 0;
  }
  bool has(char c) const { return first(c) != 0; }
  // Whether the block holds the text, which starts with an ASCII character.
  bool contains(std::string_view text) const;
  // The value of the first word with this letter (0 when absent).
  double value(char letter) const;

 private:
  std::string_view block_;
  std::array<std::uint32_t, 128> first_{};
};

}  // namespace draivo
