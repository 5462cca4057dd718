#include "nc/BlockTexts.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "nc/SequenceIndex.h"

namespace draivo {

BlockTexts::BlockTexts() = default;

BlockTexts::BlockTexts(const BlockTexts& other)
    : text_(other.text_), ends_(other.ends_), skips_(other.skips_) {}

BlockTexts::~BlockTexts() = default;

void BlockTexts::add(std::string_view text) {
  constexpr std::size_t largest = std::numeric_limits<std::uint32_t>::max();
  if (text.size() > largest - text_.size()) throw std::length_error("program text too long");
  text_.append(text);
  ends_.push_back(static_cast<std::uint32_t>(text_.size()));
  index_.reset();
  indexTried_ = false;
}

std::size_t BlockTexts::lineOf(std::size_t index) const {
  const auto skipped = std::upper_bound(skips_.begin(), skips_.end(), index) - skips_.begin();
  return index + 1 + static_cast<std::size_t>(skipped);
}

void BlockTexts::clear() {
  text_.clear();
  ends_.clear();
  skips_.clear();
  index_.reset();
  indexTried_ = false;
}

void BlockTexts::reserve(std::size_t entries, std::size_t bytes) {
  ends_.reserve(entries);
  text_.reserve(bytes);
}

void BlockTexts::shrinkToFit() {
  ends_.shrink_to_fit();
  text_.shrink_to_fit();
}

std::size_t BlockTexts::firstContaining(std::string_view text) const {
  if (SequenceIndex::indexable(text)) {
    if (!indexTried_) {
      auto built = SequenceIndex::build(*this);
      index_ = built ? std::make_unique<const SequenceIndex>(std::move(*built)) : nullptr;
      indexTried_ = true;
    }
    if (index_) return index_->firstContaining(*this, text);
  }
  for (std::size_t i = 0; i < size(); ++i) {
    if ((*this)[i].find(text) != std::string_view::npos) return i;
  }
  return size();
}

}  // namespace draivo
