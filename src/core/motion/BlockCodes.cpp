#include "motion/BlockCodes.h"

#include "nc/BlockText.h"

namespace draivo {

BlockCodes::BlockCodes(std::string_view block) {
  for (std::size_t at = 0; at < block.size(); ++at) {
    if (block[at] != 'G' && block[at] != 'M') continue;
    const WordRead word = readWord(block, at + 1);
    if (!word.valid || !(word.value >= 0 && word.value < CodeCount)) continue;
    if (word.value != static_cast<int>(word.value)) continue;
    (block[at] == 'G' ? g : m).set(static_cast<std::size_t>(word.value));
  }
}

}  // namespace draivo
