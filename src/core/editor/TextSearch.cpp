#include "editor/TextSearch.h"

#include <algorithm>

namespace draivo {
namespace {

// Upper case for ASCII and the Latin-1 letters, the letters an NC program or a Dutch
// comment holds.
char16_t foldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

bool sameLetter(char16_t a, char16_t b) {
  return foldCase(a) == foldCase(b);
}

}  // namespace

long long FindText(std::u16string_view text, std::u16string_view search, std::size_t start) {
  if (search.empty() || start > text.size()) return NotFound;
  const auto begin = text.begin() + static_cast<std::ptrdiff_t>(start);
  const auto hit = std::search(begin, text.end(), search.begin(), search.end(), sameLetter);
  if (hit == text.end()) return NotFound;
  return hit - text.begin();
}

std::vector<std::size_t> ReplaceAllMatches(std::u16string_view text, std::u16string_view search) {
  std::vector<std::size_t> matches;
  std::size_t start = 0;
  for (auto hit = FindText(text, search, start); hit != NotFound;
       hit = FindText(text, search, start)) {
    matches.push_back(static_cast<std::size_t>(hit));
    start = static_cast<std::size_t>(hit) + search.size();
  }
  return matches;
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement) {
  std::u16string result;
  std::size_t copied = 0;
  for (const auto match : ReplaceAllMatches(text, search)) {
    result.append(text.substr(copied, match - copied)).append(replacement);
    copied = match + search.size();
  }
  result.append(text.substr(copied));
  return result;
}

long long SearchPosition::findNext(std::u16string_view text, std::u16string_view search) {
  const auto hit = FindText(text, search, position_);
  position_ = static_cast<std::size_t>(hit + 1);
  return hit;
}

}  // namespace draivo
