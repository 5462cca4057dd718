#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace draivo {

inline constexpr long long NotFound = -1;

// The 0-based position of the first match of `search` at or after `start`, not case
// sensitive (ASCII and Latin-1 letters), matching parts of words. NotFound when there is no
// match, when `start` lies beyond the text, or when the search text is empty.
long long FindText(std::u16string_view text, std::u16string_view search, std::size_t start);

// The starts of the matches that "Alles vervangen" replaces, in the original text, left to
// right. After each replacement the search goes on behind the inserted replacement, so a
// replacement that contains the search text is never found again and the list is finite.
std::vector<std::size_t> ReplaceAllMatches(std::u16string_view text, std::u16string_view search);

// The text with those matches replaced.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement);

// The search position of the find and replace dialogs: where the next search begins.
class SearchPosition {
 public:
  // A new search text starts again at the beginning of the text.
  void searchTextChanged() { position_ = 0; }
  // Finds the next match and moves the position one character past its start.
  long long findNext(std::u16string_view text, std::u16string_view search);
  std::size_t position() const { return position_; }

 private:
  std::size_t position_{};
};

}  // namespace draivo
