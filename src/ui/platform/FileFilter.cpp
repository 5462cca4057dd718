#include "platform/FileFilter.h"

#include <vector>

namespace draivo {

namespace {

std::vector<std::string> splitBars(const std::string& text) {
  std::vector<std::string> parts;
  std::string::size_type begin = 0;
  while (true) {
    const auto bar = text.find('|', begin);
    parts.push_back(text.substr(begin, bar - begin));
    if (bar == std::string::npos) return parts;
    begin = bar + 1;
  }
}

std::string entry(const std::string& description, const std::string& pattern) {
  if (pattern.empty() || description.find("(" + pattern + ")") != std::string::npos)
    return description;
  // A pattern list such as "*.nc;*.txt" is separated by blanks in the Qt form.
  std::string patterns = pattern;
  for (char& c : patterns)
    if (c == ';') c = ' ';
  return description + " (" + patterns + ")";
}

}  // namespace

std::string QtFileFilter(const std::string& filter) {
  if (filter.empty()) return filter;
  const auto parts = splitBars(filter);
  std::string result;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const std::string pattern = i + 1 < parts.size() ? parts[i + 1] : std::string();
    if (!result.empty()) result += ";;";
    result += entry(parts[i], pattern);
  }
  return result;
}

}  // namespace draivo
