#include "editor/GapText.h"

#include <algorithm>

namespace draivo {
namespace {

// Room kept free when the gap is widened, so that the next keys need no new buffer: a
// sixteenth of the text, at least this many units.
constexpr std::size_t SpareUnits = 4096;
constexpr std::size_t SpareShare = 16;

}  // namespace

std::u16string GapText::substr(std::size_t position, std::size_t count) const {
  position = std::min(position, size());
  count = std::min(count, size() - position);
  std::u16string text;
  text.reserve(count);
  const std::size_t end = position + count;
  if (position < gapStart_) {
    const std::size_t beforeGap = std::min(end, gapStart_);
    text.append(buffer_.data() + position, buffer_.data() + beforeGap);
  }
  if (end > gapStart_) {
    const std::size_t from = std::max(position, gapStart_) + gapLength();
    text.append(buffer_.data() + from, buffer_.data() + end + gapLength());
  }
  return text;
}

std::u16string GapText::replace(std::size_t position, std::size_t count,
                                std::u16string_view inserted) {
  position = std::min(position, size());
  count = std::min(count, size() - position);
  moveGap(position);
  std::u16string removed(buffer_.data() + gapEnd_, buffer_.data() + gapEnd_ + count);
  gapEnd_ += count;
  widenGap(inserted.size());
  std::copy(inserted.begin(), inserted.end(),
            buffer_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
  gapStart_ += inserted.size();
  if (size() == 0) *this = GapText();  // an emptied text gives its memory back
  return removed;
}

void GapText::moveGap(std::size_t position) {
  auto at = [this](std::size_t i) { return buffer_.begin() + static_cast<std::ptrdiff_t>(i); };
  if (position < gapStart_) {
    // The characters between the place and the gap move behind the gap.
    const std::size_t moved = gapStart_ - position;
    std::copy_backward(at(position), at(gapStart_), at(gapEnd_));
    gapStart_ = position;
    gapEnd_ -= moved;
  } else if (position > gapStart_) {
    const std::size_t moved = position - gapStart_;
    std::copy(at(gapEnd_), at(gapEnd_ + moved), at(gapStart_));
    gapStart_ += moved;
    gapEnd_ += moved;
  }
}

void GapText::widenGap(std::size_t length) {
  if (gapLength() >= length) return;
  const std::size_t after = buffer_.size() - gapEnd_;
  std::vector<char16_t> wider(size() + length + std::max(SpareUnits, size() / SpareShare));
  std::copy(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(gapStart_),
            wider.begin());
  std::copy(buffer_.end() - static_cast<std::ptrdiff_t>(after), buffer_.end(),
            wider.end() - static_cast<std::ptrdiff_t>(after));
  gapEnd_ = wider.size() - after;
  buffer_ = std::move(wider);
}

}  // namespace draivo
