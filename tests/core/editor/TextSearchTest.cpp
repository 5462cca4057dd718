#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "editor/TextSearch.h"

namespace draivo {
namespace {

std::string narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

struct FindCase {
  std::string name;
  std::u16string text;
  std::u16string search;
  std::size_t start;
  long long expected;
};

void PrintTo(const FindCase& c, std::ostream* out) {
  *out << c.name << ": \"" << narrow(c.search) << "\" from " << c.start;
}

class FindTextTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, FindsTheFirstMatchFromTheStart) {
  const auto& c = GetParam();
  EXPECT_EQ(FindText(c.text, c.search, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    testing::Values(FindCase{"NotCaseSensitive", u"N5 G00\nN10 G01 X5", u"g01", 0, 11},
                    FindCase{"MatchAtTheVeryStart", u"G01 X5", u"G01", 0, 0},
                    FindCase{"PartOfAWord", u"(VOORBEWERKEN)", u"bewerk", 0, 5},
                    FindCase{"FromAPosition", u"X1 X2 X3", u"x", 1, 3},
                    FindCase{"StartOnTheMatch", u"X1 X2", u"X2", 3, 3},
                    FindCase{"PastTheLastMatch", u"X1 X2", u"X", 4, NotFound},
                    FindCase{"StartBeyondTheText", u"X1", u"X", 9, NotFound},
                    FindCase{"Absent", u"G00 X1", u"G01", 0, NotFound},
                    FindCase{"EmptySearchFindsNothing", u"G00", u"", 0, NotFound},
                    FindCase{"Latin1Letters", u"VOORBEWERKING \u00C9\u00C9N", u"\u00e9\u00e9n", 0,
                             14},
                    FindCase{"MatchAtTheEnd", u"G00 X1", u"x1", 0, 4}),
    [](const testing::TestParamInfo<FindCase>& info) { return info.param.name; });

TEST(SearchPosition, NextSearchStartsOneAfterTheLastMatch) {
  SearchPosition position;
  const std::u16string text = u"XX X";
  EXPECT_EQ(position.findNext(text, u"x"), 0);
  EXPECT_EQ(position.position(), 1u);
  EXPECT_EQ(position.findNext(text, u"x"), 1);
  EXPECT_EQ(position.findNext(text, u"x"), 3);
  EXPECT_EQ(position.findNext(text, u"x"), NotFound);
}

TEST(SearchPosition, NewSearchTextStartsAtTheBeginning) {
  SearchPosition position;
  const std::u16string text = u"G01 G01";
  EXPECT_EQ(position.findNext(text, u"G01"), 0);
  EXPECT_EQ(position.findNext(text, u"G01"), 4);
  position.searchTextChanged();
  EXPECT_EQ(position.findNext(text, u"G0"), 0);
}

struct ReplaceCase {
  std::string name;
  std::u16string text;
  std::u16string search;
  std::u16string replacement;
  std::u16string expected;
  std::size_t count;
};

void PrintTo(const ReplaceCase& c, std::ostream* out) {
  *out << c.name << ": \"" << narrow(c.search) << "\" -> \"" << narrow(c.replacement) << "\"";
}

class ReplaceAllTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesEveryMatchOnceAndEnds) {
  const auto& c = GetParam();
  EXPECT_EQ(narrow(ReplaceAll(c.text, c.search, c.replacement)), narrow(c.expected));
  EXPECT_EQ(ReplaceAllMatches(c.text, c.search).size(), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    testing::Values(
        ReplaceCase{"Simple", u"G01 X1\nG01 X2", u"g01", u"G00", u"G00 X1\nG00 X2", 2},
        ReplaceCase{"NoMatch", u"G00 X1", u"G01", u"G02", u"G00 X1", 0},
        ReplaceCase{"ReplacementHoldsTheSearchText", u"X1 X2", u"X", u"XX", u"XX1 XX2", 2},
        ReplaceCase{"ReplacementRepeatsTheSearchText", u"AA", u"A", u"AAA", u"AAAAAA", 2},
        ReplaceCase{"ReplacementEndsInAPrefix", u"abb", u"ab", u"xa", u"xab", 1},
        ReplaceCase{"EmptyReplacementRemovesEveryMatch", u"aaaa", u"a", u"", u"", 4},
        ReplaceCase{"OverlappingMatchesLeftToRight", u"aaa", u"aa", u"b", u"ba", 1},
        ReplaceCase{"EmptySearchReplacesNothing", u"abc", u"", u"x", u"abc", 0}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

}  // namespace
}  // namespace draivo
