#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace draivo {

// Positions in a block are 1-based, as the word lookup reports them; 0 means "not found".
std::size_t findText(std::string_view block, std::string_view text);
inline std::size_t findLetter(std::string_view block, char letter) {
  return findText(block, std::string_view(&letter, 1));
}
inline bool contains(std::string_view block, std::string_view text) {
  return block.find(text) != std::string_view::npos;
}

// Puts a blank before every character that is no digit, "-" or "." before a digit, and drops
// blanks and the points before no digit. The first character, and every character of a line
// holding "(", stay as they are. The bytes of a UTF-8 character stay together.
std::string SpreadCharacters(std::string_view line);

// Upper-cases a program line and puts it in block form: words separated by single blanks,
// ended by " ;". Program-number lines (":0") stay as written; comment lines ("(") are copied.
std::string NormaliseBlock(std::string_view line);

// Upper-cases, turns "," into ".", removes every blank and normalises the result.
std::string CleanBlock(std::string_view block);

// The number text after the address letter at `position` and what it reads as.
// `valid` is false when the text is not a number (or overflows): `value` is then 0.
struct WordRead {
  std::string text;
  double value = 0.0;
  bool valid{};
};

// Scans the number text of the word whose letter stands at `position` (see ReadWordValue).
WordRead readWord(std::string_view block, std::size_t position);

// Reads a number with "." or "," as decimal separator; nothing else may follow it.
WordRead parseNumber(std::string_view text);
// The number of the word whose letter stands at `position`, as readWord reads it but without
// keeping its text; false when it is no number.
bool readWordNumber(std::string_view block, std::size_t position, double& value);

// The value of the word whose letter stands at `position`, multiplied by `scale`
// (1 for plain values, the view's ZoomFactor for the scaled variant). A letter that is absent
// (position 0) makes the scan read from the start of the block, which for a normal block
// is no number: the result is then 0, as for any text that is no number.
double ReadWordValue(std::string_view block, std::size_t position, double scale = 1.0);

// The number of characters of that number text; with a scale other than 1 the length of
// the text of the scaled value. 0 when the text is no number.
int WordTextLength(std::string_view block, std::size_t position, double scale = 1.0);

// The value of the first word with this letter (0 when absent).
inline double wordValue(std::string_view block, char letter, double scale = 1.0) {
  return ReadWordValue(block, findLetter(block, letter), scale);
}

std::string toUpperAscii(std::string_view text);

// The window caption for a program-number line: "Draivo O" + the four characters after
// its first one + ".nc" (":0012 ;" gives "Draivo O0012.nc"). A control character among them
// stands as "_": the caption also names the picture export.
std::string CaptionOf(const std::string& block);

// The text with every control character (C0 with TAB, DEL, and C1 in UTF-8) replaced, so that
// it can stand in a caption, a list line or a file name.
std::string ReplaceControlCharacters(std::string_view text, std::string_view replacement);

}  // namespace draivo
