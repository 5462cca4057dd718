// What the program list answers for indexes outside it, and how it clamps the selection and the
// scroll position, on an empty list, on one of a program with a start line and on one cleared.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "nc/ProgramList.h"

namespace draivo {
namespace {

struct Query {
  int index;
  std::string text;  // List(index)
  std::size_t line;  // lineOf(index): the start line of the file is line 1
  int selected;      // ListIndex() after setListIndex(index)
  int top;           // TopIndex() after setTopIndex(index)
};

TEST(ProgramList, AnswersAndClampsAtItsEnds) {
  auto blocks = std::make_shared<BlockTexts>();
  blocks->skipLine();
  for (const char* text : {"G00 X10 ;", "G01 Z-5 ;", "M30 ;"}) blocks->add(text);
  ProgramList loaded;
  loaded.setBlocks(blocks);
  const Query onLoaded[] = {
      {-2, "", 0, -1, 0},    {-1, "", 0, -1, 0}, {0, "G00 X10 ;", 2, 0, 0},
      {2, "M30 ;", 4, 2, 2}, {3, "", 0, 2, 2},   {40, "", 0, 2, 2},
  };
  for (const Query& q : onLoaded) {
    SCOPED_TRACE(q.index);
    EXPECT_EQ(loaded.List(q.index), q.text);
    EXPECT_EQ(loaded.lineOf(q.index), q.line);
    loaded.setListIndex(q.index);
    EXPECT_EQ(loaded.ListIndex(), q.selected);
    loaded.setTopIndex(q.index);
    EXPECT_EQ(loaded.TopIndex(), q.top);
  }
  // Cleared, the list selects nothing and scrolls to its top.
  loaded.Clear();
  EXPECT_EQ(loaded.ListCount(), 0);
  EXPECT_EQ(loaded.ListIndex(), -1);
  EXPECT_EQ(loaded.TopIndex(), 0);

  ProgramList empty;
  for (const int index : {-1, 0, 1}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(empty.List(index), "");
    EXPECT_EQ(empty.lineOf(index), 0u);
    empty.setListIndex(index);
    EXPECT_EQ(empty.ListIndex(), -1);
    empty.setTopIndex(index);
    EXPECT_EQ(empty.TopIndex(), 0);
  }
}

}  // namespace
}  // namespace draivo
