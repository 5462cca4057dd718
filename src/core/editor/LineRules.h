#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace draivo {

// The three commands that rewrite a program line by line.
enum class TextCommand { SpreadWords, AddLineNumbers, RemoveLineNumbers };

// Sequence numbers go up in steps of 5 and are 16-bit: N32765 on line 6555 is the last one.
inline constexpr int LineNumberStep = 5;
inline constexpr int MaxLineNumber = 32767;
// Line numbers count from this line on; line 1 is the start line, line 2 the program number.
inline constexpr std::size_t FirstNumberedLine = 3;

// Puts a blank before every address letter and ends the block with " ;". Lines with a comment
// are copied as they are; an empty line stays empty.
std::string SpreadLine(std::string_view line);
// Line k (1-based, k >= 3) numbered: "N", (k - 2) * 5 and a blank in front, unless it
// already starts with "N".
std::string NumberLine(std::string_view line, std::size_t k);
// A line that starts with "N" loses everything up to its first blank.
std::string UnnumberLine(std::string_view line);

// The number line k gets; larger than MaxLineNumber when it does not fit.
long long LineNumberFor(std::size_t k);

// Applies the command's rule to every line, then makes the first line the program start line
// and the last one the end marker. Nothing when numbering would need a number above
// MaxLineNumber: then no line is changed.
std::optional<std::vector<std::string>> RewriteLines(TextCommand command,
                                                     std::vector<std::string> lines);

}  // namespace draivo
