// The editor's text commands on a text of 10 MB: every line comes back, rewritten exactly by
// its rule, and numbering more lines than there are sequence numbers is refused unchanged.
#include <gtest/gtest.h>

#include "design/ProgramMarkers.h"
#include "editor/TextCommands.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

constexpr std::size_t TenMegabytes = 10u * 1024u * 1024u;
constexpr std::size_t Megabyte = 1024u * 1024u;

// A line of the text and what spreading its words gives.
struct LinePair {
  std::string line;
  std::string spread;
};

LinePair megabyteLine() {
  LinePair pair;
  for (std::size_t w = 0; w < Megabyte / 2; ++w) {
    pair.line += "X1";
    pair.spread += w == 0 ? "X1" : " X1";
  }
  return {pair.line + ";", pair.spread + " ;"};
}

// Packed blocks numbered and not, comments (copied as written and closed with " ;"), empty
// lines and, now and then, a line of a megabyte.
std::vector<LinePair> largeText() {
  std::vector<LinePair> lines;
  std::size_t size = 0;
  for (std::size_t k = 0; size < TenMegabytes; ++k) {
    LinePair pair;
    const std::string x = std::to_string(k % 200) + "." + std::to_string(k % 10);
    const std::string z = std::to_string(k % 97);
    const std::string n = k % 5 < 2 ? "" : "N" + std::to_string(k % 9000 + 1);
    if (k % 100000 == 50000) {
      pair = megabyteLine();
    } else if (k % 3 == 0) {
      pair.line = "(VOORBEWERKEN x" + std::to_string(k) + ". met  twee  blanks)";
      pair.spread = pair.line + " ;";
    } else if (k % 3 == 1) {
      pair = {n + "G01X" + x + "Z-" + z + "F.2;", (n.empty() ? "" : n + " ") + "G01 X" + x + " Z-" + z + " F.2 ;"};
    }
    size += pair.line.size() + 2;
    lines.push_back(std::move(pair));
  }
  return lines;
}

std::string fileText(const std::vector<LinePair>& lines) {
  std::string text;
  for (const auto& pair : lines) text.append(pair.line).append("\r\n");
  return text;
}

// Compares every line k (1-based) of a command's result; the first and last lines become the
// program markers.
template <typename Expected>
void expectLines(const std::string& resultText, const std::vector<LinePair>& lines,
                 Expected expected) {
  const std::vector<std::string> result = SplitFileLines(resultText);
  ASSERT_EQ(result.size(), lines.size());
  EXPECT_EQ(result.front(), ProgramStartLine);
  EXPECT_EQ(result.back(), ProgramEndMarker);
  std::size_t wrong = 0;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    if (result[i] != expected(lines[i], i + 1) && ++wrong <= 3) {
      ADD_FAILURE() << "line " << i + 1 << ": " << result[i].substr(0, 80);
    }
  }
  EXPECT_EQ(wrong, 0u);
}

TEST(EditorLimits, TenMegabytesAreSpreadAndUnnumberedLineByLine) {
  TempFolder folder;
  const std::vector<LinePair> lines = largeText();
  const std::string text = fileText(lines);
  const auto numbered = RunTextCommand(TextCommand::AddLineNumbers, text, folder.path().string());
  EXPECT_FALSE(numbered.ok);
  EXPECT_TRUE(numbered.text.empty());
  EXPECT_EQ(numbered.message,
            "Regel nummers gaan niet verder dan N32765. Deze tekst heeft te veel regels om te "
            "nummeren en is niet gewijzigd.");

  const auto spread = RunTextCommand(TextCommand::SpreadWords, text, folder.path().string());
  ASSERT_TRUE(spread.ok) << spread.message;
  expectLines(spread.text, lines, [](const LinePair& p, std::size_t) { return p.spread; });
  const auto removed =
      RunTextCommand(TextCommand::RemoveLineNumbers, spread.text, folder.path().string());
  ASSERT_TRUE(removed.ok) << removed.message;
  // The numbered lines lose everything up to their first blank; line 2, the program number
  // line, keeps its words.
  expectLines(removed.text, lines, [](const LinePair& p, std::size_t k) {
    const auto blank = p.spread.find(' ');
    const bool numbered = k != 2 && p.spread.starts_with("N") && blank != std::string::npos;
    return numbered ? p.spread.substr(blank + 1) : p.spread;
  });
}

TEST(EditorLimits, LinesOfAMegabyteAreNumbered) {
  TempFolder folder;
  const std::vector<LinePair> lines(5, megabyteLine());
  const auto numbered =
      RunTextCommand(TextCommand::AddLineNumbers, fileText(lines), folder.path().string());
  ASSERT_TRUE(numbered.ok) << numbered.message;
  const auto result = SplitFileLines(numbered.text);
  ASSERT_EQ(result.size(), lines.size());
  for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
    EXPECT_EQ(result[i], "N" + std::to_string((i - 1) * 5) + " " + lines[i].line);
  }
}

}  // namespace
}  // namespace draivo::test
