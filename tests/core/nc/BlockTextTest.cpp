#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "nc/BlockText.h"
#include "support/DataTable.h"

namespace draivo {
namespace {

// Most line forms are golden cases (normalise_lines); these are not seen in a trace.
TEST(NormaliseBlock, GivesTheBlockForm) {
  for (const auto& row : test::ReadTable("tables/normalise_block.rows")) {
    EXPECT_EQ(NormaliseBlock(row.at(0)), row.at(1)) << row.at(0);
  }
  EXPECT_EQ(CleanBlock("g02 x 12,5 z-3 r5 ;"), "G02 X12.5 Z-3 R5 ;");
}

TEST(ReadWordValue, ReadsValueAndLength) {
  for (const auto& row : test::ReadTable("tables/read_word_value.rows")) {
    const std::string& block = row.at(0);
    const double scale = std::stod(row.at(2)), value = std::stod(row.at(3));
    const auto position = findLetter(block, row.at(1).at(0));
    EXPECT_DOUBLE_EQ(ReadWordValue(block, position, scale), value) << block;
    EXPECT_EQ(WordTextLength(block, position, scale), std::stoi(row.at(4))) << block;
    EXPECT_EQ(readWord(block, position).valid, row.at(5) == "1") << block;
  }
  EXPECT_EQ(ReadWordValue("G01 X" + std::string(400, '9') + " ;", 5), 0.0);
  EXPECT_EQ(findText("N10 G71 U2 ;", "G71"), 5u);
}

// Word values are the numbers strtod reads, to the last bit, for texts of any length.
TEST(ReadWordValue, ValuesAreTheNumbersStrtodReads) {
  std::mt19937 random(1206);
  for (int round = 0; round < 50000; ++round) {
    std::string number = random() % 3 == 0 ? "-" : "";
    const std::size_t whole = random() % 22, fraction = random() % 22;
    for (std::size_t i = 0; i < whole; ++i) number += static_cast<char>('0' + random() % 10);
    if (fraction > 0 || whole == 0) number += '.';
    for (std::size_t i = 0; i < fraction || (whole == 0 && i == 0); ++i) {
      number += static_cast<char>('0' + random() % 10);
    }
    if (random() % 4 == 0) number += "E" + std::to_string(static_cast<int>(random() % 700) - 350);
    const double expected = std::strtod(number.c_str(), nullptr);
    ASSERT_EQ(ReadWordValue("X" + number + " ;", 1), std::isfinite(expected) ? expected + 0.0 : 0.0)
        << number;
  }
}

}  // namespace
}  // namespace draivo
