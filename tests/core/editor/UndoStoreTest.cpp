#include <gtest/gtest.h>

#include <string>

#include "editor/EditorDocument.h"
#include "editor/UndoStore.h"

namespace draivo {
namespace {

// Drives the document the way the editor window does and mirrors the text area's content.
class EditorSession {
 public:
  void type(const std::string& text) { setText(text); }
  // New: the text is emptied (a change), then counting starts again.
  void newDocument() {
    setText("");
    document.startNew("/programs");
  }
  // Open: emptied, counting from 0, then the load itself is a change.
  void open(const std::string& fileName, const std::string& content) {
    setText("");
    document.startOpen(fileName);
    setText(content);
    document.markSaved();
  }
  bool undo() { return restore(document.undo().undo()); }
  bool redo() { return restore(document.undo().redo()); }

  EditorDocument document;
  std::string text;

 private:
  void setText(const std::string& newText) {
    if (newText == text) return;  // the text area reports no change for the same text
    text = newText;
    document.textChanged(text);
  }
  bool restore(const std::optional<std::string>& snapshot) {
    if (!snapshot) return false;
    RestoringGuard guard(document.undo());
    setText(*snapshot);
    return true;
  }
};

TEST(UndoStore, UndoAfterOpenEmptiesTheTextAndRedoBringsItBack) {
  EditorSession session;
  session.open("/p/A.nc", "G00 X1 ;");
  EXPECT_FALSE(session.document.modified());
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.text, "");
  EXPECT_TRUE(session.document.modified());
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, "G00 X1 ;");
  EXPECT_FALSE(session.redo());
  EXPECT_EQ(session.text, "G00 X1 ;");
}

TEST(UndoStore, UndoAtIndexZeroChangesNothing) {
  EditorSession session;
  session.open("/p/A.nc", "G00 X1 ;");
  session.undo();
  EXPECT_FALSE(session.undo());
  EXPECT_EQ(session.document.undo().index(), 0);
}

TEST(UndoStore, UndoAtIndexZeroLeavesTheModifiedFlag) {
  EditorSession session;
  EXPECT_FALSE(session.undo());
  EXPECT_FALSE(session.document.modified());
}

TEST(UndoStore, TypingAfterUndoDiscardsTheSnapshotsAbove) {
  EditorSession session;
  session.type("a");
  session.type("ab");
  session.type("abc");
  session.undo();
  session.undo();
  session.type("aX");
  EXPECT_FALSE(session.redo());
  EXPECT_EQ(session.text, "aX");
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.text, "a");
}

TEST(UndoStore, RestoringCreatesNoSnapshot) {
  EditorSession session;
  session.type("a");
  session.type("ab");
  session.undo();
  EXPECT_EQ(session.document.undo().index(), 1);
  EXPECT_EQ(session.document.undo().top(), 2);
}

TEST(UndoStore, RedoAfterNewBringsBackTextsStoredBeforeIt) {
  EditorSession session;
  session.type("a");
  session.type("ab");
  session.newDocument();
  EXPECT_EQ(session.text, "");
  EXPECT_EQ(session.document.undo().index(), 0);
  EXPECT_EQ(session.document.undo().top(), 3);  // emptying the text stored one more
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, "a");
  ASSERT_TRUE(session.redo());
  EXPECT_EQ(session.text, "ab");
}

TEST(UndoStore, AfterOpenRedoHasNothingToBringBack) {
  EditorSession session;
  session.type("a");
  session.type("ab");
  session.type("abc");
  session.open("/p/B.nc", "B");
  EXPECT_EQ(session.document.undo().top(), 1);
  EXPECT_FALSE(session.redo());
}

TEST(UndoStore, ThousandAndFirstChangeDropsTheOldestSnapshot) {
  UndoStore store;
  for (int i = 1; i <= UndoStore::Capacity + 1; ++i) store.recordChange(std::to_string(i));
  EXPECT_EQ(store.index(), UndoStore::Capacity);
  EXPECT_EQ(store.top(), UndoStore::Capacity);
  EXPECT_EQ(store.snapshot(UndoStore::Capacity), "1001");
  EXPECT_EQ(store.snapshot(1), "2");
  EXPECT_EQ(store.snapshot(0), "");
  for (int i = 1000; i >= 2; --i) EXPECT_EQ(store.undo(), std::to_string(i));
  EXPECT_EQ(store.undo(), "");
  EXPECT_EQ(store.undo(), std::nullopt);
}

TEST(UndoStore, ManyChangesKeepTheNewestThousand) {
  UndoStore store;
  for (int i = 1; i <= 2500; ++i) store.recordChange(std::to_string(i));
  EXPECT_EQ(store.snapshot(1), "1501");
  EXPECT_EQ(store.snapshot(UndoStore::Capacity), "2500");
  EXPECT_EQ(store.redo(), std::nullopt);
}

TEST(UndoStore, ByteBudgetDropsTheOldestSnapshots) {
  UndoStore store(10);
  store.recordChange("aaaa");
  store.recordChange("bbbb");
  store.recordChange("cccc");
  EXPECT_EQ(store.index(), 2);
  EXPECT_EQ(store.storedBytes(), 8u);
  EXPECT_EQ(store.undo(), "bbbb");
  EXPECT_EQ(store.undo(), "");
  EXPECT_EQ(store.undo(), std::nullopt);
}

TEST(UndoStore, TextLargerThanTheBudgetIsStillKeptAlone) {
  UndoStore store(3);
  store.recordChange("abcdef");
  EXPECT_EQ(store.index(), 1);
  store.recordChange("x");
  EXPECT_EQ(store.index(), 1);
  EXPECT_EQ(store.snapshot(1), "x");
  EXPECT_EQ(store.storedBytes(), 1u);
}

TEST(UndoStore, SnapshotsThatCanNoLongerBeRedoneFreeTheirBytes) {
  UndoStore store(100);
  store.recordChange("aaaa");
  store.recordChange("bbbb");
  store.undo();
  store.recordChange("cc");
  EXPECT_EQ(store.storedBytes(), 6u);
  EXPECT_EQ(store.top(), 2);
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
  document.textChanged("x");
  document.startNew("/programs");
  EXPECT_EQ(document.fileName(), "/programs/Nieuw");
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
