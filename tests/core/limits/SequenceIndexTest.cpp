// The index behind the contour walks finds the same first entry as reading every entry would,
// for keys inside words, comments and longer numbers, and after the entries change.
#include <gtest/gtest.h>

#include <random>

#include "nc/ProgramList.h"
#include "nc/SequenceIndex.h"

namespace draivo {
namespace {

using Lines = std::vector<std::string>;

ProgramList listOf(const Lines& entries) {
  ProgramList list;
  for (const auto& entry : entries) list.AddItem(entry);
  return list;
}

// Random short entries of the letters and signs that sequence keys are made of.
TEST(SequenceIndex, AgreesWithReadingEveryEntry) {
  std::mt19937 random(20261206);
  const std::string alphabet = "NN0125 .-X;";
  auto text = [&](std::size_t most) {
    std::string s;
    for (std::size_t i = random() % (most + 1); i > 0; --i)
      s += alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 50; ++round) {
    Lines entries;
    for (int i = 0; i < 200; ++i) entries.push_back(text(12));
    const ProgramList list = listOf(entries);
    for (int k = 0; k < 100; ++k) {
      const std::string key = "N" + text(3);
      const auto first = std::find_if(entries.begin(), entries.end(), [&](const std::string& e) {
        return e.find(key) != std::string::npos;
      });
      ASSERT_EQ(list.firstContaining(key), first - entries.begin()) << "key " << key;
    }
  }
}

TEST(SequenceIndex, FindsTheFirstEntryHoldingTheKey) {
  const std::string n31 = "N" + std::string(31, '1'), n40 = "N" + std::string(40, '1');
  const std::string manyN(SequenceIndex::MaxRuns + 1, 'N');
  const struct {
    Lines entries;
    std::string key;
    int first;
  } cases[] = {
      {{"N400 G01 X1 ;", "N40 G00 X2 ;"}, "N40", 0},  // a shorter key matches a longer number
      {{"N0040 G01 ;"}, "N40", 1},
      {{"G00 X1 ;", "(ZIE N40 HIERONDER)", "N40 G01 ;"}, "N40", 1},
      {{"G01 XN5 ;", "N5 ;"}, "N5", 0},
      {{"G01 ;", "M30 N ;"}, "N", 1},
      {{"N10 G00 ;", "N1 G01 ;"}, "N1 G", 1},  // keys the index does not hold are read
      {{"N10 G00 ;", "N1 G01 ;"}, "G01", 1},
      {{}, "N10", 0},
      {{n40 + "2 ;", n40 + " ;"}, n40 + " ", 1},  // longer than the index holds
      {{n40 + "2 ;", n31 + " ;"}, n31, 0},
      {{"G00 ;", manyN.substr(1) + "5 ;"}, "N5", 1},  // as many runs of N as indexed
      {{"G00 ;", manyN + "5 ;"}, "N5", 1},            // more: the entries are read
      {{"G00 ;", manyN + "5 ;"}, "N6", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(listOf(c.entries).firstContaining(c.key), c.first) << c.key.substr(0, 40);
  }
  for (const std::size_t letters : {SequenceIndex::MaxRuns, SequenceIndex::MaxRuns + 1}) {
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

}  // namespace
}  // namespace draivo
