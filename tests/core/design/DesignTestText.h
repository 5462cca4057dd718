#pragma once

#include <initializer_list>
#include <string>

namespace draivo::test {

// Lines joined as generated program text: every line followed by CR LF.
inline std::string crlfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace draivo::test
