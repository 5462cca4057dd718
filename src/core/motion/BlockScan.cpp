#include "motion/BlockScan.h"

#include <algorithm>

#include "nc/BlockText.h"

namespace draivo {

BlockScan::BlockScan(std::string_view block) : block_(block) {
  // A block is shorter than 4 GiB (BlockTexts holds at most that much text).
  for (std::size_t i = block.size(); i-- > 0;) {
    const auto c = static_cast<unsigned char>(block[i]);
    if (c < first_.size()) first_[c] = static_cast<std::uint32_t>(i + 1);
  }
}

bool BlockScan::contains(std::string_view text) const {
  if (text.empty()) return true;
  // From each place of the first character on: a code ("G04") stands a few times at most.
  for (std::size_t at = first(text.front()); at != 0;) {
    const std::string_view here = block_.substr(at - 1, text.size());
    if (here.size() == text.size() && std::equal(here.begin(), here.end(), text.begin())) return true;
    const std::size_t next = block_.find(text.front(), at);
    at = next == std::string_view::npos ? 0 : next + 1;
  }
  return false;
}

double BlockScan::value(char letter) const {
  return ReadWordValue(block_, first(letter));
}

}  // namespace draivo
