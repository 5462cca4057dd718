#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/EditorDocument.h"
#include "editor/GapText.h"
#include "editor/UndoStore.h"

namespace draivo {
namespace {

// Drives the document the way the editor window does: every change of the text is reported
// as the span it replaced, and undo and redo apply the changes they hand back.
class EditorSession {
 public:
  void type(const std::u16string& text) { setText(text); }
  // New: the text is emptied (a change), then counting starts again.
  void newDocument() {
    setText(u"");
    document.startNew("/programs");
  }
  // Open: emptied, counting from 0, then the load itself is a change.
  void open(const std::string& fileName, const std::u16string& content) {
    setText(u"");
    document.startOpen(fileName, FileEncoding::Utf8);
    setText(content);
    document.markSaved();
  }
  bool undo() { return apply(document.undo().undo()); }
  bool redo() { return apply(document.undo().redo()); }

  EditorDocument document;
  std::u16string text;

 private:
  // Reports the smallest span that turns the text into the new one, as the text area does.
  void setText(const std::u16string& newText) {
    if (newText == text) return;  // the text area reports no change for the same text
    std::size_t head = 0;
    while (head < text.size() && head < newText.size() && text[head] == newText[head]) ++head;
    std::size_t tail = 0;
    while (tail < text.size() - head && tail < newText.size() - head &&
           text[text.size() - 1 - tail] == newText[newText.size() - 1 - tail])
      ++tail;
    const std::size_t removed = text.size() - head - tail;
    std::u16string inserted = newText.substr(head, newText.size() - head - tail);
    text = newText;
    document.textChanged(head, removed, std::move(inserted));
    ASSERT_EQ(document.text().str(), text);
  }
  bool apply(const std::optional<TextChange>& change) {
    if (!change) return false;
    RestoringGuard guard(document.undo());
    std::u16string changed = text;
    EXPECT_EQ(changed.substr(change->position, change->removed.size()), change->removed);
    changed.replace(change->position, change->removed.size(), change->inserted);
    setText(changed);
    return true;
  }
};

TEST(UndoStore, UndoAfterOpenEmptiesTheTextAndRedoBringsItBack) {
  EditorSession session;
  session.open("/p/A.nc", u"G00 X1 ;");
  EXPECT_FALSE(session.document.modified());
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.text, u"");
  EXPECT_TRUE(session.document.modified());
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, u"G00 X1 ;");
  EXPECT_FALSE(session.redo());
  EXPECT_EQ(session.text, u"G00 X1 ;");
}

TEST(UndoStore, UndoAtIndexZeroChangesNothing) {
  EditorSession session;
  session.open("/p/A.nc", u"G00 X1 ;");
  session.undo();
  EXPECT_FALSE(session.undo());
  EXPECT_EQ(session.document.undo().index(), 0);
}

TEST(UndoStore, UndoAtIndexZeroLeavesTheModifiedFlag) {
  EditorSession session;
  EXPECT_FALSE(session.undo());
  EXPECT_FALSE(session.document.modified());
}

TEST(UndoStore, TypingAfterUndoDiscardsTheStepsAbove) {
  EditorSession session;
  session.type(u"a");
  session.type(u"ab");
  session.type(u"abc");
  session.undo();
  session.undo();
  session.type(u"aX");
  EXPECT_FALSE(session.redo());
  EXPECT_EQ(session.text, u"aX");
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.text, u"a");
}

TEST(UndoStore, RestoringCreatesNoStep) {
  EditorSession session;
  session.type(u"a");
  session.type(u"ab");
  session.undo();
  EXPECT_EQ(session.document.undo().index(), 1);
  EXPECT_EQ(session.document.undo().top(), 2);
}

TEST(UndoStore, RedoAfterNewBringsBackTextsStoredBeforeIt) {
  EditorSession session;
  session.type(u"a");
  session.type(u"ab");
  session.newDocument();
  EXPECT_EQ(session.text, u"");
  EXPECT_EQ(session.document.undo().index(), 0);
  EXPECT_EQ(session.document.undo().top(), 3);  // emptying the text stored one more
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, u"a");
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, u"ab");
}

TEST(UndoStore, AfterOpenRedoHasNothingToBringBack) {
  EditorSession session;
  session.type(u"a");
  session.type(u"ab");
  session.type(u"abc");
  session.open("/p/B.nc", u"B");
  EXPECT_EQ(session.document.undo().top(), 1);
  EXPECT_FALSE(session.redo());
}

// Changes in the middle of a text, undone and redone in any order, give the texts back.
TEST(UndoStore, ChangesAnywhereAreUndoneAndRedoneExactly) {
  const std::vector<std::u16string> texts = {u"G00 X1 ;\nG01 Z-5 ;", u"G00 X10 ;\nG01 Z-5 ;",
                                             u"G00 X10 ;\nG01 Z-5 F.2 ;", u"(Ω) ;\nG01 Z-5 F.2 ;",
                                             u""};
  EditorSession session;
  for (const auto& text : texts) session.type(text);
  for (auto t = texts.rbegin() + 1; t != texts.rend(); ++t) {
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(session.text, *t);
  }
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.text, u"");
  for (const auto& text : texts) {
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(session.text, text);
  }
}

TEST(UndoStore, ThousandAndFirstChangeDropsTheOldestStep) {
  EditorSession session;
  for (int i = 1; i <= UndoStore::Capacity + 1; ++i) session.type(u"x" + std::u16string(i, u'y'));
  EXPECT_EQ(session.document.undo().index(), UndoStore::Capacity);
  while (session.undo()) {
  }
  // The oldest text still reachable is the one after the first change.
  EXPECT_EQ(session.text, u"xy");
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, u"xyy");
  // Dropped steps cannot lead on from an empty text: New starts the history afresh.
  session.newDocument();
  EXPECT_FALSE(session.redo());
  session.type(u"z");
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.text, u"");
}

TEST(UndoStore, ByteBudgetDropsTheOldestSteps) {
  UndoStore store(16);
  store.recordChange({0, u"", u"aaaa"});
  store.recordChange({4, u"", u"bbbb"});
  store.recordChange({8, u"", u"cccc"});
  EXPECT_EQ(store.index(), 2);
  EXPECT_EQ(store.storedBytes(), 16u);
  EXPECT_EQ(store.undo(), (TextChange{8, u"cccc", u""}));
  EXPECT_EQ(store.undo(), (TextChange{4, u"bbbb", u""}));
  EXPECT_EQ(store.undo(), std::nullopt);
}

TEST(UndoStore, ChangeLargerThanTheBudgetIsStillKeptAlone) {
  UndoStore store(4);
  store.recordChange({0, u"", u"abcdef"});
  EXPECT_EQ(store.index(), 1);
  store.recordChange({0, u"abcdef", u"x"});
  EXPECT_EQ(store.index(), 1);
  EXPECT_EQ(store.storedBytes(), 14u);
}

TEST(UndoStore, StepsThatCanNoLongerBeRedoneFreeTheirBytes) {
  UndoStore store(100);
  store.recordChange({0, u"", u"aaaa"});
  store.recordChange({4, u"", u"bbbb"});
  store.undo();
  store.recordChange({4, u"", u"cc"});
  EXPECT_EQ(store.storedBytes(), 12u);
  EXPECT_EQ(store.top(), 2);
}

struct SpanCase {
  const char* label;
  ChangeSpan reported;
  std::size_t oldLength, newLength;
  std::optional<ChangeSpan> fitted;
};

void PrintTo(const SpanCase& c, std::ostream* os) {
  *os << c.label;
}

class FitChangeSpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(FitChangeSpanTest, FitsTheReportToTheText) {
  const auto& c = GetParam();
  const auto fitted = FitChangeSpan(c.reported, c.oldLength, c.newLength);
  ASSERT_EQ(fitted.has_value(), c.fitted.has_value());
  if (!fitted) return;
  EXPECT_EQ(fitted->position, c.fitted->position);
  EXPECT_EQ(fitted->removed, c.fitted->removed);
  EXPECT_EQ(fitted->added, c.fitted->added);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, FitChangeSpanTest,
    ::testing::Values(SpanCase{"key typed", {3, 0, 1}, 5, 6, ChangeSpan{3, 0, 1}},
                      SpanCase{
                          "whole text with paragraph end", {0, 6, 3}, 5, 2, ChangeSpan{0, 5, 2}},
                      SpanCase{"emptied", {0, 6, 1}, 5, 0, ChangeSpan{0, 5, 0}},
                      SpanCase{"counts that cannot be", {2, 1, 1}, 5, 7, std::nullopt},
                      SpanCase{"position past the end", {9, 0, 1}, 5, 6, std::nullopt}));

TEST(GapText, ReplacesAnywhereAndTellsWhatItReplaced) {
  GapText text;
  EXPECT_EQ(text.replace(0, 0, u"G00 X1 ;"), u"");
  EXPECT_EQ(text.replace(5, 1, u"10"), u"1");  // the gap moves back
  EXPECT_EQ(text.replace(0, 3, u"G01"), u"G00");
  EXPECT_EQ(text.replace(8, 5, u"\nM30 ;"), u";");  // cut at the end
  EXPECT_EQ(text.str(), u"G01 X10 \nM30 ;");
  EXPECT_EQ(text.substr(3, 4), u" X10");
  EXPECT_EQ(text.size(), 14u);
  const std::u16string longer(10000, u'x');  // wider than the spare room
  text.replace(4, 0, longer);
  EXPECT_TRUE(text.str() == u"G01 " + longer + u"X10 \nM30 ;");
}

struct CaptionCase {
  std::string fileName;
  std::string caption;
  bool saveAs;
};

void PrintTo(const CaptionCase& c, std::ostream* out) {
  *out << "\"" << c.fileName << "\"";
}

class DocumentNameTest : public testing::TestWithParam<CaptionCase> {};

TEST_P(DocumentNameTest, CaptionAndSaveRoute) {
  EditorDocument document;
  document.setFileName(GetParam().fileName);
  EXPECT_EQ(document.caption(), GetParam().caption);
  EXPECT_EQ(document.needsSaveAs(), GetParam().saveAs);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DocumentNameTest,
    testing::Values(CaptionCase{"/progs/O0012.nc", "NC Editor : O0012.nc", false},
                    CaptionCase{"C:\\NC\\DRAAI.TXT", "NC Editor : DRAAI.TXT", false},
                    CaptionCase{"/elders/Nieuw", "NC Editor : Nieuw", true},
                    CaptionCase{"Nieuw", "NC Editor : Nieuw", true},
                    CaptionCase{"", "NC Editor : ", true},
                    CaptionCase{"/progs/Nieuw.nc", "NC Editor : Nieuw.nc", false}));

TEST(EditorDocument, NewIsNamedNieuwInTheProgramFolder) {
  EditorDocument document;
  document.startOpen("/p/A.nc", FileEncoding::Windows1252);
  document.textChanged(0, 0, u"x");
  document.startNew("/programs");
  EXPECT_EQ(document.fileName(), "/programs/Nieuw");
  EXPECT_EQ(document.encoding(), FileEncoding::Utf8);  // a new file is written as UTF-8
  EXPECT_EQ(document.caption(), "NC Editor : Nieuw");
  EXPECT_FALSE(document.modified());
}

TEST(EditorDocument, SavePromptText) {
  EditorDocument document;
  document.setFileName("/progs/O0012.nc");
  EXPECT_EQ(document.savePromptText(), "\"O0012.nc\" is gewijzigd\r\n wijzigingen opslaan.");
}

}  // namespace
}  // namespace draivo
