// The editor's text commands on texts of 10 MB: every line comes back, rewritten exactly by
// its rule, and numbering a text with more lines than sequence numbers is refused unchanged.
#include <gtest/gtest.h>

#include <ostream>

#include "design/ProgramMarkers.h"
#include "editor/TextCommands.h"
#include "support/TempFolder.h"

namespace draivo::test {
namespace {

constexpr std::size_t TenMegabytes = 10u * 1024u * 1024u;

// One line of a large text and what spreading its words must give.
struct LinePair {
  std::string line;
  std::string spread;
};

struct LargeText {
  std::string name;
  std::vector<LinePair> (*make)();
};

void PrintTo(const LargeText& c, std::ostream* os) {
  *os << c.name;
}

// Packed blocks without blanks, numbered and not.
std::vector<LinePair> packedBlocks() {
  std::vector<LinePair> lines;
  std::size_t size = 0;
  for (std::size_t k = 0; size < TenMegabytes; ++k) {
    const std::string x = std::to_string(k % 200) + "." + std::to_string(k % 10);
    const std::string z = std::to_string(k % 97);
    const std::string n = "N" + std::to_string(k % 9000 + 1);
    const bool numbered = k % 3 != 0;
    LinePair pair;
    pair.line = (numbered ? n : "") + "G01X" + x + "Z-" + z + "F.2;";
    pair.spread = (numbered ? n + " " : "") + "G01 X" + x + " Z-" + z + " F.2 ;";
    if (!numbered) pair.spread = "G01 X" + x + " Z-" + z + " F.2 ;";
    size += pair.line.size() + 2;
    lines.push_back(std::move(pair));
  }
  return lines;
}

// Ten lines of a megabyte each: every word gets its blank.
std::vector<LinePair> megabyteLines() {
  constexpr std::size_t words = TenMegabytes / 10 / 2;
  std::vector<LinePair> lines;
  for (int i = 0; i < 10; ++i) {
    LinePair pair;
    pair.line.reserve(words * 2 + 1);
    pair.spread.reserve(words * 3 + 2);
    for (std::size_t w = 0; w < words; ++w) {
      pair.line += "X1";
      pair.spread += w == 0 ? "X1" : " X1";
    }
    pair.line += ";";
    pair.spread += " ;";
    lines.push_back(std::move(pair));
  }
  return lines;
}

// Comments are copied as written and closed with " ;"; empty lines stay empty.
std::vector<LinePair> commentsAndEmptyLines() {
  std::vector<LinePair> lines;
  std::size_t size = 0;
  for (std::size_t k = 0; size < TenMegabytes; ++k) {
    LinePair pair;
    if (k % 2 == 0) {
      pair.line = "(VOORBEWERKEN x" + std::to_string(k) + ". met  twee  blanks)";
      pair.spread = pair.line + " ;";
    }
    size += pair.line.size() + 2;
    lines.push_back(std::move(pair));
  }
  return lines;
}

const std::vector<LargeText> largeTexts = {
    {"PackedBlocks", packedBlocks},
    {"MegabyteLines", megabyteLines},
    {"CommentsAndEmptyLines", commentsAndEmptyLines},
};

std::string fileText(const std::vector<LinePair>& lines) {
  std::string text;
  text.reserve(TenMegabytes + lines.size() * 2);
  for (const auto& pair : lines) text.append(pair.line).append("\r\n");
  return text;
}

// The numbered lines lose everything up to their first blank.
std::string unnumbered(const std::string& line) {
  if (line.empty() || line[0] != 'N') return line;
  const auto blank = line.find(' ');
  return blank == std::string::npos ? line : line.substr(blank + 1);
}

// Compares every line k (1-based) of a command's result; the first and last lines are the
// markers.
void expectLines(const std::string& resultText, const std::vector<LinePair>& lines,
                 std::string (*expected)(const LinePair&, std::size_t)) {
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

class EditorLimitsTest : public ::testing::TestWithParam<LargeText> {};

TEST_P(EditorLimitsTest, SpreadingAndRemovingNumbersKeepEveryLine) {
  TempFolder folder;
  const std::vector<LinePair> lines = GetParam().make();
  const std::string text = fileText(lines);
  ASSERT_GE(text.size(), TenMegabytes);

  const auto spread = RunTextCommand(TextCommand::SpreadWords, text, folder.path().string());
  ASSERT_TRUE(spread.ok) << spread.message;
  expectLines(spread.text, lines, [](const LinePair& p, std::size_t) { return p.spread; });

  const auto removed =
      RunTextCommand(TextCommand::RemoveLineNumbers, spread.text, folder.path().string());
  ASSERT_TRUE(removed.ok) << removed.message;
  // Line 2, the program number line, keeps its words.
  expectLines(removed.text, lines, [](const LinePair& p, std::size_t k) {
    return k == 2 ? p.spread : unnumbered(p.spread);
  });
}

TEST_P(EditorLimitsTest, NumberingIsRefusedOrKeepsEveryLine) {
  TempFolder folder;
  const std::vector<LinePair> lines = GetParam().make();
  const auto numbered =
      RunTextCommand(TextCommand::AddLineNumbers, fileText(lines), folder.path().string());
  constexpr std::size_t lastNumberedLine = 6555;
  if (lines.size() > lastNumberedLine + 1) {
    EXPECT_FALSE(numbered.ok);
    EXPECT_TRUE(numbered.text.empty());
    EXPECT_EQ(numbered.message,
              "Regel nummers gaan niet verder dan N32765. Deze tekst heeft te veel regels om te "
              "nummeren en is niet gewijzigd.");
  } else {
    ASSERT_TRUE(numbered.ok) << numbered.message;
    const auto result = SplitFileLines(numbered.text);
    ASSERT_EQ(result.size(), lines.size());
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
      EXPECT_EQ(result[i], "N" + std::to_string((i - 1) * 5) + " " + lines[i].line);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, EditorLimitsTest, ::testing::ValuesIn(largeTexts),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace draivo::test
