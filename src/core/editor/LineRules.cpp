#include "editor/LineRules.h"

#include "design/ProgramMarkers.h"
#include "nc/BlockText.h"

namespace draivo {
namespace {

bool startsWithN(std::string_view line) {
  return !line.empty() && line.front() == 'N';
}

void terminateBlock(std::string& block) {
  if (block.empty() || block.front() == '%' || block.back() == ';') return;
  block += block.back() == ' ' ? ";" : " ;";
}

// True when some line that gets a new number would need one above the 16-bit limit. The
// first and the last line are replaced by the markers and need none.
bool numbersOverflow(const std::vector<std::string>& lines) {
  for (std::size_t k = FirstNumberedLine; k < lines.size(); ++k) {
    if (LineNumberFor(k) <= MaxLineNumber) continue;
    if (!startsWithN(lines[k - 1])) return true;
  }
  return false;
}

std::string rewriteLine(TextCommand command, const std::string& line, std::size_t k) {
  switch (command) {
    case TextCommand::SpreadWords:
      return SpreadLine(line);
    case TextCommand::AddLineNumbers:
      return k < FirstNumberedLine ? line : NumberLine(line, k);
    case TextCommand::RemoveLineNumbers:
      break;
  }
  return k < FirstNumberedLine ? line : UnnumberLine(line);
}

}  // namespace

std::string SpreadLine(std::string_view line) {
  std::string result = SpreadCharacters(line);
  terminateBlock(result);
  return result;
}

long long LineNumberFor(std::size_t k) {
  return (static_cast<long long>(k) - 2) * LineNumberStep;
}

std::string NumberLine(std::string_view line, std::size_t k) {
  if (startsWithN(line)) return std::string(line);
  return "N" + std::to_string(LineNumberFor(k)) + " " + std::string(line);
}

std::string UnnumberLine(std::string_view line) {
  if (!startsWithN(line)) return std::string(line);
  const auto blank = line.find(' ');
  if (blank == std::string_view::npos) return std::string(line);
  return std::string(line.substr(blank + 1));
}

std::optional<std::vector<std::string>> RewriteLines(TextCommand command,
                                                     std::vector<std::string> lines) {
  if (command == TextCommand::AddLineNumbers && numbersOverflow(lines)) return {};
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = rewriteLine(command, lines[i], i + 1);
  if (!lines.empty()) {
    lines.front() = ProgramStartLine;
    lines.back() = ProgramEndMarker;
  }
  return lines;
}

}  // namespace draivo
