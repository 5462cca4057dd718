// The index behind the contour walks finds the same first entry as reading every entry would,
// for keys inside words, comments and longer numbers, and after the entries change.
#include <gtest/gtest.h>

#include <ostream>
#include <random>

#include "nc/ProgramList.h"
#include "nc/SequenceIndex.h"
#include "support/BlockLines.h"

namespace draivo::test {
namespace {

int firstByReading(const std::vector<std::string>& entries, const std::string& key) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].find(key) != std::string::npos) return static_cast<int>(i);
  }
  return static_cast<int>(entries.size());
}

ProgramList listOf(const std::vector<std::string>& entries) {
  ProgramList list;
  for (const auto& entry : entries) list.AddItem(entry);
  return list;
}

struct KeyCase {
  std::string name;
  std::vector<std::string> entries;
  std::string key;
  int first;
};

// "N", `count` ones and the tail.
std::string nOnes(std::size_t count, std::string_view tail = "") {
  std::string key(1, 'N');
  key.append(count, '1');
  key.append(tail);
  return key;
}

void PrintTo(const KeyCase& c, std::ostream* os) {
  *os << c.name;
}

const std::vector<KeyCase> keyCases = {
    {"ShorterKeyMatchesLongerNumber", {"N400 G01 X1 ;", "N40 G00 X2 ;"}, "N40", 0},
    {"ExactNumber", {"N400 G01 X1 ;", "N40 G00 X2 ;"}, "N400", 0},
    {"LaterEntry", {"G00 X1 ;", "N10 G01 ;", "N20 G01 ;"}, "N20", 2},
    {"Missing", {"N10 G01 ;", "N20 G01 ;"}, "N30", 2},
    {"LeadingZerosDoNotMatch", {"N0040 G01 ;"}, "N40", 1},
    {"InsideComment", {"G00 X1 ;", "(ZIE N40 HIERONDER)", "N40 G01 ;"}, "N40", 1},
    {"AfterAnotherLetter", {"G01 XN5 ;", "N5 ;"}, "N5", 0},
    {"SecondOfTwoLetters", {"G01 NN5 ;"}, "N5", 0},
    {"KeyWithDecimalPoint", {"N1 ;", "N1.5 G01 ;"}, "N1.5", 1},
    {"NegativeKey", {"N5 ;", "N-5 ;"}, "N-5", 1},
    {"LoneLetterMatchesEveryN", {"G01 ;", "M30 N ;"}, "N", 1},
    {"KeyWithBlankIsReadEntryByEntry", {"N10 G00 ;", "N1 G01 ;"}, "N1 G", 1},
    {"KeyWithoutLetterNIsReadEntryByEntry", {"N10 G00 ;", "N1 G01 ;"}, "G01", 1},
    {"EmptyList", {}, "N10", 0},
    {"KeyLongerThanTheIndexedTexts", {nOnes(40, "2 ;"), nOnes(40, " ;")}, nOnes(40, " "), 1},
    {"LongestIndexedKey", {nOnes(40, "2 ;"), nOnes(31, " ;")}, nOnes(31), 0},
};

class SequenceKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SequenceKeyTest, FirstEntryHoldingTheKey) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(listOf(c.entries).firstContaining(c.key), c.first);
  EXPECT_EQ(firstByReading(c.entries, c.key), c.first) << "the case itself";
}

INSTANTIATE_TEST_SUITE_P(Limits, SequenceKeyTest, ::testing::ValuesIn(keyCases),
                         [](const auto& info) { return info.param.name; });

TEST(SequenceIndexList, FollowsChangesOfTheEntries) {
  ProgramList list = listOf({"N10 G01 ;", "N20 G01 ;"});
  EXPECT_EQ(list.firstContaining("N20"), 1);
  list.Clear();
  list.AddItem("N20 G00 ;");
  EXPECT_EQ(list.firstContaining("N20"), 0);
  EXPECT_EQ(list.firstContaining("N10"), 1);
  list.AddItem("N10 G01 ;");
  EXPECT_EQ(list.firstContaining("N10"), 1);

  const ProgramList copy = list;  // a copy answers from its own entries
  list.Clear();
  EXPECT_EQ(copy.firstContaining("N10"), 1);
  EXPECT_EQ(list.firstContaining("N10"), 0);

  ProgramList moved = copy;
  EXPECT_EQ(moved.firstContaining("N10"), 1);
  const ProgramList target = std::move(moved);
  EXPECT_EQ(target.firstContaining("N10"), 1);
  // NOLINTNEXTLINE(bugprone-use-after-move): a moved-from list must still answer safely.
  EXPECT_EQ(moved.firstContaining("N10"), moved.ListCount());
}

// A line of 100,000 letters N: its texts overlap at length, and building the index must
// still take little time.
TEST(SequenceIndexList, LineOfLettersNIsIndexedQuickly) {
  std::string crowded(SequenceIndex::MaxRuns / 10, 'N');
  crowded += "5 ;";
  ASSERT_TRUE(SequenceIndex::build(textsOf({crowded})).has_value());
  EXPECT_EQ(listOf({"G00 ;", crowded}).firstContaining("N5"), 1);
  EXPECT_EQ(listOf({"G00 ;", crowded}).firstContaining("NNN6"), 2);
}

TEST(SequenceIndexList, TooManyLettersNFallBackToReading) {
  std::string crowded(SequenceIndex::MaxRuns + 1, 'N');
  crowded += "5 ;";
  EXPECT_FALSE(SequenceIndex::build(textsOf({crowded})).has_value());
  EXPECT_EQ(listOf({"G00 ;", crowded}).firstContaining("N5"), 1);
  EXPECT_EQ(listOf({"G00 ;", crowded}).firstContaining("N6"), 2);
}

// Random short entries of the letters and signs sequence keys are made of.
TEST(SequenceIndexList, AgreesWithReadingEveryEntry) {
  std::mt19937 random(20261206);
  const std::string alphabet = "NN0125 .-X;";
  auto text = [&](std::size_t most) {
    std::string s;
    const std::size_t length = random() % (most + 1);
    for (std::size_t i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 50; ++round) {
    std::vector<std::string> entries;
    for (int i = 0; i < 200; ++i) entries.push_back(text(12));
    const ProgramList list = listOf(entries);
    for (int k = 0; k < 100; ++k) {
      std::string key(1, 'N');
      key += text(3);
      ASSERT_EQ(list.firstContaining(key), firstByReading(entries, key)) << "key " << key;
    }
  }
}

}  // namespace
}  // namespace draivo::test
