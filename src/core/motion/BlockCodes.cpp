#include "motion/BlockCodes.h"

#include "nc/BlockText.h"

namespace draivo {

BlockCodes::BlockCodes(std::string_view block) {
  for (const char letter : {'G', 'M'}) {
    for (std::size_t at = block.find(letter); at != std::string_view::npos;
         at = block.find(letter, at + 1)) {
      // Most codes are one or two digits before a blank: no need to read a number.
      const auto digit = [&](std::size_t i) {
        return i < block.size() && block[i] >= '0' && block[i] <= '9';
      };
      if (digit(at + 1) && digit(at + 2) && at + 3 < block.size() && block[at + 3] == ' ') {
        (letter == 'G' ? g : m)
            .set(static_cast<std::size_t>((block[at + 1] - '0') * 10 + block[at + 2] - '0'));
        continue;
      }
      double value = 0;
      if (!readWordNumber(block, at + 1, value) || !(value >= 0 && value < CodeCount)) continue;
      if (value != static_cast<int>(value)) continue;
      (letter == 'G' ? g : m).set(static_cast<std::size_t>(value));
    }
  }
}

}  // namespace draivo
