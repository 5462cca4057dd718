#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace draivo::test {

// tests/data, or the folder DRAIVO_TEST_DATA names; test discovery at build time runs without
// the environment.
inline std::filesystem::path DataFolder() {
  const char* folder = std::getenv("DRAIVO_TEST_DATA");
  return folder ? std::filesystem::path(folder) : std::filesystem::path(DRAIVO_TEST_DATA_DIR);
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The blank (as --stock gives it) that tests cut the short run cases from: wide and long enough
// for most of them, with jaws that the programs reaching far along Z run into.
inline constexpr const char* ShortRunCaseBlank = "D60,L120,K20";

// The programs of the run cases of the data folder that other tests run in their own ways:
// those without options (which ask for budgets, steps or stops) and without long runs (whose
// expected trace leaves blocks out), sorted.
inline std::vector<std::filesystem::path> ShortRunCases() {
  std::vector<std::filesystem::path> programs;
  for (const auto& entry : std::filesystem::directory_iterator(DataFolder())) {
    const auto program = entry.path() / "program.nc";
    if (!std::filesystem::is_regular_file(program) ||
        std::filesystem::exists(entry.path() / "options")) {
      continue;
    }
    bool elided = false;
    for (const std::string& line : ReadLines(entry.path() / "expected.trace"))
      elided = elided || line.starts_with("... ");
    if (!elided) programs.push_back(program);
  }
  std::sort(programs.begin(), programs.end());
  return programs;
}

// The lines of a text as printed.
inline std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines of a text with the blanks between words made single, so that table columns
// compare by their words.
inline std::vector<std::string> WordLines(const std::string& text) {
  std::vector<std::string> lines;
  for (const std::string& line : TextLines(text)) {
    std::istringstream words(line);
    std::string joined, word;
    while (words >> word) joined += (joined.empty() ? "" : " ") + word;
    lines.push_back(joined);
  }
  return lines;
}

using TableRow = std::vector<std::string>;

// The rows of a table file of the data folder: fields separated by "|", kept with their
// blanks; the escapes \xHH, \r, \n, \t, \0 and "\" before any other character are decoded.
// Empty lines and lines starting with "#" are left out; a table without rows is a fault.
inline std::vector<TableRow> ReadTable(const std::string& name) {
  std::vector<TableRow> rows;
  for (const std::string& line : ReadLines(DataFolder() / name)) {
    if (line.empty() || line[0] == '#') continue;
    TableRow row(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '|') {
        row.emplace_back();
      } else if (c != '\\' || i + 1 == line.size()) {
        row.back() += c;
      } else if (const char e = line[++i]; e == 'x') {
        row.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        row.back() += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e == '0' ? '\0' : e;
      }
    }
    rows.push_back(row);
  }
  if (rows.empty()) throw std::runtime_error(name + " holds no rows");
  return rows;
}

}  // namespace draivo::test
