#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace draivo {

// Tells from the bytes of a file whether it can be a program file, that is plain text. A file
// is not a program file when it holds a NUL byte (any binary file, or text in UTF-16), or when
// more than one in ForeignControlShare of its bytes are control characters that program files
// do not carry. Program files carry TAB, LF, FF and CR, and the ESC, DC2 and DC4 of the start
// and end lines that the design mode writes; every other byte below 32, and DEL, counts.
// Random bytes hold about one such character in ten, text none or a few, such as the SUB
// that ends some old DOS files. The bytes are handed over in pieces, so that a file read in
// chunks is judged as a whole.
class ProgramTextCheck {
 public:
  static constexpr std::uint64_t ForeignControlShare = 20;

  void add(std::string_view piece);
  // Whether the bytes handed over so far can be a program file.
  bool passed() const;
  // A NUL byte was seen: nothing that follows can make the file pass.
  bool failed() const { return nul_; }

 private:
  std::uint64_t bytes_{};
  std::uint64_t foreign_{};  // control characters that program files do not carry
  bool nul_{};
};

// Whether the bytes of a whole file can be a program file (see ProgramTextCheck).
bool IsProgramText(std::string_view bytes);

// The message box that refuses a file which is not a program file.
inline constexpr const char* NotAProgramTitle = "Geen NC-programma";
std::string NotAProgramMessage(const std::string& fileName);

}  // namespace draivo
