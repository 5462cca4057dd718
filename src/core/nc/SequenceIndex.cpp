#include "nc/SequenceIndex.h"

#include <algorithm>
#include <limits>

#include "nc/BlockTexts.h"

namespace draivo {
namespace {

constexpr char KeyLetter = 'N';
constexpr char Blank = ' ';

}  // namespace

bool SequenceIndex::indexable(std::string_view key) {
  return !key.empty() && key.size() <= MaxKeyLength && key.front() == KeyLetter &&
         key.find(Blank) == std::string_view::npos;
}

std::optional<SequenceIndex> SequenceIndex::build(const BlockTexts& entries) {
  constexpr std::size_t largest = std::numeric_limits<std::uint32_t>::max();
  if (entries.size() > largest) return {};
  SequenceIndex index;
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const std::string_view text = entries[e];
    if (text.size() > largest) return {};
    // From the end backwards, so that the next blank is known at every "N" in one pass.
    std::size_t nextBlank = text.size();
    for (std::size_t at = text.size(); at-- > 0;) {
      if (text[at] == Blank) {
        nextBlank = at;
      } else if (text[at] == KeyLetter) {
        if (index.runs_.size() >= MaxRuns) return {};
        index.runs_.push_back({static_cast<std::uint32_t>(e), static_cast<std::uint32_t>(at),
                               static_cast<std::uint32_t>(std::min(nextBlank - at, MaxKeyLength))});
      }
    }
  }
  auto textOf = [&entries](const Run& run) {
    return entries[run.entry].substr(run.offset, run.length);
  };
  std::sort(index.runs_.begin(), index.runs_.end(), [&](const Run& a, const Run& b) {
    const int order = textOf(a).compare(textOf(b));
    return order != 0 ? order < 0 : a.entry < b.entry;
  });
  return index;
}

std::size_t SequenceIndex::firstContaining(const BlockTexts& entries, std::string_view key) const {
  auto textOf = [&entries](const Run& run) {
    return entries[run.entry].substr(run.offset, run.length);
  };
  auto run = std::lower_bound(runs_.begin(), runs_.end(), key,
                              [&](const Run& r, std::string_view k) { return textOf(r) < k; });
  // Every text that starts with the key follows the lower bound in one stretch.
  std::size_t first = entries.size();
  for (; run != runs_.end() && textOf(*run).substr(0, key.size()) == key; ++run) {
    first = std::min<std::size_t>(first, run->entry);
  }
  return first;
}

}  // namespace draivo
