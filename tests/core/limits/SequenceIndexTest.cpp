// The index behind the contour walks finds the same first entry as reading every entry would,
// for keys inside words, comments and longer numbers, and after the entries change.
#include <gtest/gtest.h>

#include <random>

#include "nc/ProgramList.h"
#include "nc/SequenceIndex.h"

namespace draivo {
namespace {

using Lines = std::vector<std::string>;

int firstByReading(const Lines& entries, const std::string& key) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].find(key) != std::string::npos) return static_cast<int>(i);
  }
  return static_cast<int>(entries.size());
}

ProgramList listOf(const Lines& entries) {
  ProgramList list;
  for (const auto& entry : entries) list.AddItem(entry);
  return list;
}

TEST(SequenceIndex, FindsTheFirstEntryHoldingTheKey) {
  const std::string ones31(31, '1'), ones40(40, '1');
  const struct {
    Lines entries;
    std::string key;
    int first;
  } cases[] = {
      {{"N400 G01 X1 ;", "N40 G00 X2 ;"}, "N40", 0},  // a shorter key matches a longer number
      {{"N400 G01 X1 ;", "N40 G00 X2 ;"}, "N400", 0},
      {{"G00 X1 ;", "N10 G01 ;", "N20 G01 ;"}, "N20", 2},
      {{"N10 G01 ;", "N20 G01 ;"}, "N30", 2},
      {{"N0040 G01 ;"}, "N40", 1},
      {{"G00 X1 ;", "(ZIE N40 HIERONDER)", "N40 G01 ;"}, "N40", 1},
      {{"G01 XN5 ;", "N5 ;"}, "N5", 0},
      {{"G01 NN5 ;"}, "N5", 0},
      {{"N1 ;", "N1.5 G01 ;"}, "N1.5", 1},
      {{"N5 ;", "N-5 ;"}, "N-5", 1},
      {{"G01 ;", "M30 N ;"}, "N", 1},
      {{"N10 G00 ;", "N1 G01 ;"}, "N1 G", 1},  // keys the index does not hold are read
      {{"N10 G00 ;", "N1 G01 ;"}, "G01", 1},
      {{}, "N10", 0},
      {{"N" + ones40 + "2 ;", "N" + ones40 + " ;"}, "N" + ones40 + " ", 1},
      {{"N" + ones40 + "2 ;", "N" + ones31 + " ;"}, "N" + ones31, 0},
      {{"G00 ;", std::string(SequenceIndex::MaxRuns / 10, 'N') + "5 ;"}, "N5", 1},
      {{"G00 ;", std::string(SequenceIndex::MaxRuns + 1, 'N') + "5 ;"}, "N5", 1},  // too many
      {{"G00 ;", std::string(SequenceIndex::MaxRuns + 1, 'N') + "5 ;"}, "N6", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(listOf(c.entries).firstContaining(c.key), c.first) << c.key.substr(0, 40);
  }
  // A line of letters N is indexed up to a limit; beyond it the entries are read.
  for (const std::size_t letters : {SequenceIndex::MaxRuns / 10, SequenceIndex::MaxRuns + 1}) {
    BlockTexts texts;
    texts.add(std::string(letters, 'N') + "5 ;");
    EXPECT_EQ(SequenceIndex::build(texts).has_value(), letters <= SequenceIndex::MaxRuns);
  }
}

// The index answers for the entries the list holds now, also in copies and moved lists.
TEST(SequenceIndex, FollowsChangesOfTheEntries) {
  ProgramList list = listOf({"N10 G01 ;", "N20 G01 ;"});
  EXPECT_EQ(list.firstContaining("N20"), 1);
  list.Clear();
  list.AddItem("N20 G00 ;");
  EXPECT_EQ(list.firstContaining("N10"), 1);
  list.AddItem("N10 G01 ;");
  const ProgramList copy = list;
  list.Clear();
  EXPECT_EQ(copy.firstContaining("N10"), 1);
  EXPECT_EQ(list.firstContaining("N10"), 0);
  ProgramList moved = copy;
  EXPECT_EQ(ProgramList(std::move(moved)).firstContaining("N10"), 1);
}

// Random short entries of the letters and signs sequence keys are made of.
TEST(SequenceIndex, AgreesWithReadingEveryEntry) {
  std::mt19937 random(20261206);
  const std::string alphabet = "NN0125 .-X;";
  auto text = [&](std::size_t most) {
    std::string s;
    for (std::size_t i = random() % (most + 1); i > 0; --i) s += alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 50; ++round) {
    Lines entries;
    for (int i = 0; i < 200; ++i) entries.push_back(text(12));
    const ProgramList list = listOf(entries);
    for (int k = 0; k < 100; ++k) {
      const std::string key = "N" + text(3);
      ASSERT_EQ(list.firstContaining(key), firstByReading(entries, key)) << "key " << key;
    }
  }
}

}  // namespace
}  // namespace draivo
