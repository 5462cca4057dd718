#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace draivo::test {

using TableRow = std::vector<std::string>;

// The rows of a table file of tests/data: fields separated by "|", kept with their blanks;
// the escapes \xHH, \r, \n, \t, \0 and "\" before any other character are decoded. Empty lines
// and lines starting with "#" are left out; a table without rows is a fault.
inline std::vector<TableRow> ReadTable(const std::string& name) {
  std::ifstream in(std::filesystem::path(DRAIVO_TEST_DATA_DIR) / name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + name);
  std::vector<TableRow> rows;
  for (std::string line; std::getline(in, line);) {
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
