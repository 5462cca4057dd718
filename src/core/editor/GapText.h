#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace draivo {

// The editor's text as its changes built it, in UTF-16 units as the text area counts them.
// It is held with a gap at the place of the last change, so that typing, which changes the
// text next to the change before, costs the same on a long text as on a short one.
class GapText {
 public:
  std::size_t size() const { return buffer_.size() - gapLength(); }
  // Replaces `count` characters from `position` on by `inserted` and returns the characters
  // it replaced. A range past the end is cut at the end.
  std::u16string replace(std::size_t position, std::size_t count, std::u16string_view inserted);
  // The characters from `position` on, at most `count` of them.
  std::u16string substr(std::size_t position, std::size_t count) const;
  std::u16string str() const { return substr(0, size()); }

 private:
  std::size_t gapLength() const { return gapEnd_ - gapStart_; }
  void moveGap(std::size_t position);
  void widenGap(std::size_t length);

  std::vector<char16_t> buffer_;
  std::size_t gapStart_{};
  std::size_t gapEnd_{};
};

}  // namespace draivo
