#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/DataTable.h"

namespace draivo::test {

// Marks in a command line or an expected text and what stands for them.
using Marks = std::vector<std::pair<std::string, std::string>>;

inline std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The text with every mark replaced, each value passed through `wrap`.
template <typename Wrap>
std::string substituted(std::string text, const Marks& marks, Wrap wrap) {
  for (const auto& [mark, value] : marks) {
    const std::string by = wrap(value);
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size())) {
      text.replace(at, mark.size(), by);
    }
  }
  return text;
}

inline std::string substituted(const std::string& text, const Marks& marks) {
  return substituted(text, marks, [](const std::string& value) { return value; });
}

inline std::string readAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

struct SimRun {
  int status = -1;
  std::string out, err;  // as printed
};

// Runs the command line through the shell with the marks replaced by quoted paths, standard
// input from `input` (a shell redirection target), standard output and error kept in
// `scratch`.
inline SimRun RunCommand(const std::string& command, const Marks& marks,
                         const std::filesystem::path& scratch,
                         const std::string& input = "/dev/null") {
  const auto out = scratch / "stdout", err = scratch / "stderr";
  const std::string line = substituted(command, marks, shellQuoted) + " >" +
                           shellQuoted(out.string()) + " 2>" + shellQuoted(err.string()) + " <" +
                           input;
  const int raw = std::system(line.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readAll(out), readAll(err)};
}

}  // namespace draivo::test
