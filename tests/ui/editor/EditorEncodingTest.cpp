#include "MainWindowFixture.h"

namespace draivo::test {
namespace {

// The editor shows what the file says, whatever its encoding, and a save without a change
// writes the file back byte for byte; a character the file's encoding cannot hold is not lost
// silently.
TEST_F(MainWindowTest, EditorShowsEveryEncodingAndSavesTheSameBytes) {
  const std::pair<std::string, QString> files[] = {
      {"(\xE9 \xB0 \xB5)\r\nG00 X1 ;\r\n", QString("(é ° µ)\nG00 X1 ;\n")},
      {"G00 (\xC3\x98 30) ;\r\n", QString("G00 (Ø 30) ;\n")},
      {"\xEF\xBB\xBF(\xE4\xB8\xAD)", QString("(中)")},
      {"\x80\xA0X1\r\n", QString("€\u00A0X1\n")},
      {"\xC3\xB8 30 \xB0", QString("Ã¸ 30 °")},  // UTF-8 spoilt by one byte
  };
  for (const auto& [bytes, shown] : files) {
    const QString file = writeFile("A.nc", bytes);
    auto editor = openEditor(file);
    EXPECT_EQ(areaText(*editor), shown);
    EXPECT_TRUE(historyFollowsText(*editor));
    trigger(*editor, "mnuBestandOpslaan");
    EXPECT_EQ(contentOf(file), bytes);
  }
  EXPECT_TRUE(dialogs.messages.empty());

  // Typed into a Latin-1 file, "é ° µ" is saved as Latin-1; "Ω 中" does not fit, so the editor
  // asks before it writes UTF-8 instead.
  const QString file = writeFile("L.nc", "G00 ; (\xE4)\r\n");
  auto editor = openEditor(file);
  editor->textArea()->insertPlainText("(é ° µ)\n");
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(contentOf(file), "(\xE9 \xB0 \xB5)\r\nG00 ; (\xE4)\r\n");

  editor->textArea()->moveCursor(QTextCursor::End);
  editor->textArea()->insertPlainText("€ Ω 中 Ω");
  dialogs.answers = {false};
  trigger(*editor, "mnuBestandOpslaan");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].question);
  EXPECT_NE(dialogs.messages[0].text.find("De tekens Ω 中 passen niet"), std::string::npos);
  EXPECT_EQ(contentOf(file), "(\xE9 \xB0 \xB5)\r\nG00 ; (\xE4)\r\n");
  EXPECT_TRUE(editor->document().modified());

  dialogs.answers = {true};
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(contentOf(file), "(é ° µ)\r\nG00 ; (ä)\r\n€ Ω 中 Ω");
  EXPECT_FALSE(editor->document().modified());
}

}  // namespace
}  // namespace draivo::test
