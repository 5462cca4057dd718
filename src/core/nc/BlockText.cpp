#include "nc/BlockText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "nc/NumberFormat.h"

namespace draivo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The second to fourth byte of a UTF-8 character: it stays with the byte before it.
bool isUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The position after the character that starts at `at`; the bytes of a UTF-8 character
// count as one character.
std::size_t nextCharacter(std::string_view text, std::size_t at) {
  do {
    ++at;
  } while (at < text.size() && isUtf8Continuation(text[at]));
  return at;
}

// 1-based character access that yields '\0' outside the text.
char charAt(std::string_view text, std::size_t position) {
  return position >= 1 && position <= text.size() ? text[position - 1] : '\0';
}

// Inserts "0" after the letter at `position` when a single digit and a blank follow it
// (G1 X5 becomes G01 X5, M8 ; becomes M08 ;).
void padSingleDigit(std::string& block, std::size_t position) {
  if (position == 0) return;
  if (isDigit(charAt(block, position + 1)) && charAt(block, position + 2) == ' ') {
    block.insert(position, "0");
  }
}

// Removes a blank found at each of the five positions after the first "P" of an M98 block,
// so that the program number stands directly before the ";".
void joinSubprogramNumber(std::string& block) {
  const std::size_t p = findLetter(block, 'P');
  for (std::size_t j = p + 1; j <= p + 5; ++j) {
    if (charAt(block, j) == ' ') block.erase(j - 1, 1);
  }
}

}  // namespace

std::size_t findText(std::string_view block, std::string_view text) {
  const auto at = block.find(text);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string toUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string CaptionOf(const std::string& block) {
  constexpr int NumberCharacters = 4;
  if (block.empty()) return "Draivo O.nc";
  // Characters, not bytes: a character of several UTF-8 bytes is taken whole or not at all.
  const std::size_t first = nextCharacter(block, 0);
  std::size_t end = first;
  for (int taken = 0; taken < NumberCharacters && end < block.size(); ++taken) {
    end = nextCharacter(block, end);
  }
  return "Draivo O" + ReplaceControlCharacters(block.substr(first, end - first), "_") + ".nc";
}

std::string ReplaceControlCharacters(std::string_view text, std::string_view replacement) {
  constexpr unsigned char Delete = 0x7F;
  constexpr unsigned char C1Lead = 0xC2;  // U+0080 to U+009F are C2 80 to C2 9F in UTF-8
  constexpr unsigned char C1First = 0x80, C1Last = 0x9F;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (c < 0x20 || c == Delete) {
      out += replacement;
    } else if (c == C1Lead && next >= C1First && next <= C1Last) {
      out += replacement;
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string SpreadCharacters(std::string_view line) {
  const bool comment = contains(line, "(");
  std::string r;
  r.reserve(line.size() * 2 + 2);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (isDigit(c) || i == 0 || c == '-' || comment || isUtf8Continuation(c)) {
      r += c;
    } else if (c == '.') {
      if (i + 1 < line.size() && isDigit(line[i + 1])) r += c;
    } else if (c == ' ') {
      // blanks are dropped; words are separated anew
    } else {
      r += ' ';
      r += c;
    }
  }
  return r;
}

std::string NormaliseBlock(std::string_view source) {
  std::string line = toUpperAscii(source);
  if (contains(line, ":0")) return line;

  std::string r = SpreadCharacters(line);
  if (!(r.starts_with("%")) && !r.ends_with(";")) r += r.ends_with(" ") ? ";" : " ;";

  padSingleDigit(r, findLetter(r, 'G'));
  if (!contains(r, "M")) return r;
  if (contains(r, "M98")) {
    joinSubprogramNumber(r);
    return r;
  }
  if (contains(r, "M99") || contains(r, "M30")) return r;
  padSingleDigit(r, findLetter(r, 'M'));
  return r;
}

std::string CleanBlock(std::string_view block) {
  std::string text;
  for (char c : toUpperAscii(block)) {
    if (c == ' ') continue;
    text += c == ',' ? '.' : c;
  }
  return NormaliseBlock(text);
}

namespace {

// Powers of ten that a double holds exactly.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MaxExactDigits = 15;  // a whole number of 15 digits is below 2^53

// Reads a number with "." or "," as decimal separator and nothing after it; false when the
// text is no number or overflows.
bool readNumber(std::string_view text, double& value) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  bool digits = false;
  bool separator = false;
  // The digits as a whole number while they fit, and how many stand after the separator.
  std::uint64_t whole = 0;
  int count = 0, decimals = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      digits = true;
      if (whole != 0 || c != '0') ++count;
      whole = count <= MaxExactDigits ? whole * 10 + static_cast<std::uint64_t>(c - '0') : whole;
      if (separator) ++decimals;
    } else if ((c == '.' || c == ',') && !separator) {
      separator = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  // A short number without an exponent is the quotient of two exact doubles, which division
  // rounds correctly, as from_chars does.
  if (i == text.size() && count <= MaxExactDigits && decimals <= 22) {
    const double read = static_cast<double>(whole) / exactPowersOfTen[decimals];
    value = read == 0.0 || text.front() != '-' ? read : -read;
    return true;
  }
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    const std::size_t firstDigit = j;
    while (j < text.size() && isDigit(text[j])) ++j;
    if (j == firstDigit) return false;
    i = j;
  }
  if (i != text.size()) return false;

  // The text with "." as its decimal point and without a leading "+", on the stack when short.
  constexpr std::size_t ShortText = 64;
  char buffer[ShortText] = {};
  std::string longText;
  char* plain = buffer;
  if (text.size() > ShortText) {
    longText.resize(text.size());
    plain = longText.data();
  }
  std::size_t length = 0;
  for (std::size_t k = text.front() == '+' ? 1 : 0; k < text.size(); ++k) {
    plain[length++] = text[k] == ',' ? '.' : text[k];
  }
  // from_chars rounds as strtod does; the rare texts out of its range go to strtod, which
  // gives an infinity (refused below) or a value that underflows.
  double read = 0;
  const auto result = std::from_chars(plain, plain + length, read);
  if (result.ec != std::errc() || result.ptr != plain + length) {
    read = std::strtod(std::string(plain, length).c_str(), nullptr);
  }
  if (!std::isfinite(read)) return false;
  value = read == 0.0 ? 0.0 : read;
  return true;
}

// The number text of the word whose letter stands at `position`: from the character after it
// up to the first blank; the last character of the block (its ";") is never taken.
std::string_view wordText(std::string_view block, std::size_t position) {
  if (block.empty() || position >= block.size() - 1) return {};
  const std::string_view rest = block.substr(position, block.size() - 1 - position);
  return rest.substr(0, std::min(rest.find(' '), rest.size()));
}

}  // namespace

WordRead parseNumber(std::string_view text) {
  WordRead result;
  result.text = std::string(text);
  result.valid = readNumber(text, result.value);
  if (!result.valid) result.value = 0.0;
  return result;
}

bool readWordNumber(std::string_view block, std::size_t position, double& value) {
  value = 0;
  if (readNumber(wordText(block, position), value)) return true;
  value = 0;
  return false;
}

WordRead readWord(std::string_view block, std::size_t position) {
  return parseNumber(wordText(block, position));
}

double ReadWordValue(std::string_view block, std::size_t position, double scale) {
  double value = 0;
  if (!readNumber(wordText(block, position), value)) return 0.0;
  value *= scale;
  return std::isfinite(value) ? value : 0.0;
}

int WordTextLength(std::string_view block, std::size_t position, double scale) {
  const WordRead word = readWord(block, position);
  if (scale == 1.0) return static_cast<int>(word.text.size());
  if (!word.valid) return 0;
  const double value = word.value * scale;
  return std::isfinite(value) ? static_cast<int>(formatGeneral(value).size()) : 0;
}

}  // namespace draivo
