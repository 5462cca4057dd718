// The index behind the contour walks finds the same first entry as reading every entry would,
// for keys inside words, comments and longer numbers, and after the entries change.
#include <gtest/gtest.h>

#include <random>

#include "nc/ProgramList.h"
#include "nc/SequenceIndex.h"
#include "support/DataTable.h"

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
  for (const auto& row : test::ReadTable("tables/sequence_index.rows")) {
    Lines entries;
    for (std::size_t at = 0, end = 0; at < row.at(0).size(); at = end + 1) {
      end = std::min(row.at(0).find('/', at), row.at(0).size());
      entries.push_back(row.at(0).substr(at, end - at));
    }
    EXPECT_EQ(listOf(entries).firstContaining(row.at(1)), std::stoi(row.at(2))) << row.at(1);
  }
  // As many runs of N as are indexed, and more: then the entries are read.
  const std::string manyN(SequenceIndex::MaxRuns + 1, 'N');
  EXPECT_EQ(listOf({"G00 ;", manyN.substr(1) + "5 ;"}).firstContaining("N5"), 1);
  EXPECT_EQ(listOf({"G00 ;", manyN + "5 ;"}).firstContaining("N5"), 1);
  EXPECT_EQ(listOf({"G00 ;", manyN + "5 ;"}).firstContaining("N6"), 2);
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
  BlockTexts texts;  // the texts themselves, searched between changes
  texts.add("N10 ;");
  EXPECT_EQ(texts.firstContaining("N20"), 1u);
  texts.add("N20 ;");
  EXPECT_EQ(texts.firstContaining("N20"), 1u);
  texts.clear();
  EXPECT_EQ(texts.firstContaining("N20"), 0u);
}

}  // namespace
}  // namespace draivo
