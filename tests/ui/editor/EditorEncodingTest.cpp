#include "EditorFixture.h"
#include "editor/TextFiles.h"
#include "run/ProgramLoader.h"
#include "run/TextEncoding.h"

namespace draivo::test {
namespace {

QString q(const char* utf8) {
  return QString::fromUtf8(utf8);
}

struct FileCase {
  std::string name;
  std::string bytes;
  QString shown;
};

void PrintTo(const FileCase& c, std::ostream* out) {
  *out << c.name;
}

class EditorFileTest : public EditorFixture, public testing::WithParamInterface<FileCase> {};

// The editor shows what the file says, whatever its encoding, and a save without a change
// writes the file back byte for byte.
TEST_P(EditorFileTest, ShowsTheTextAndSavesTheSameBytes) {
  const auto& c = GetParam();
  const QString file = writeFile("A.nc", c.bytes);
  auto editor = openEditor(file);
  // The raw text: toPlainText would show a no-break space as a blank.
  EXPECT_EQ(editor->textArea()->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n'),
            c.shown);
  expectHistoryInStep(*editor);
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_TRUE(dialogs->messages.empty());
  EXPECT_EQ(contentOf(file), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EditorFileTest,
    testing::Values(FileCase{"Latin1", "(\xE9 \xB0 \xB5)\r\nG00 X1 ;\r\n",
                             q("(é ° µ)\nG00 X1 ;\n")},
                    FileCase{"Utf8",
                             "G00 \xC3\x98"
                             "30 ;\r\n",
                             q("G00 Ø30 ;\n")},
                    FileCase{"Utf8WithBom", "\xEF\xBB\xBF(\xE4\xB8\xAD)", q("(中)")},
                    FileCase{"Cp1252AndNoBreakSpace", "\x80\xA0X1\r\n", q("€\u00A0X1\n")},
                    FileCase{"Utf8SpoiltByOneByte",
                             "\xC3\xB8"
                             "30 \xB0",
                             q("Ã¸30 °")}),
    [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

std::vector<std::string> listedBlocks(const std::string& fileBytes) {
  const LoadedProgram program = LoadProgramText(DecodeText(fileBytes).text);
  std::vector<std::string> blocks;
  for (std::size_t i = 0; i < program.blocks->size(); ++i) blocks.emplace_back((*program.blocks)[i]);
  return blocks;
}

// Typed into a Latin-1 file, "é ° µ" is saved as Latin-1 and listed as from a UTF-8 file;
// "Ω 中" does not fit, so the editor asks before it writes UTF-8 instead.
TEST_F(EditorFixture, CharactersALatin1FileCannotHoldAreNotLostSilently) {
  const QString file = writeFile("A.nc", "G00 ; (\xE4)\r\n");
  auto editor = openEditor(file);
  type(*editor, q("(é ° µ)\n"));
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(contentOf(file), "(\xE9 \xB0 \xB5)\r\nG00 ; (\xE4)\r\n");
  EXPECT_EQ(listedBlocks(contentOf(file)), listedBlocks("(é ° µ)\r\nG00 ; (ä)\r\n"));

  const std::string latin1 = "G00 ;\r\n(\xE4)\r\n";
  writeFile("B.nc", latin1);
  dialogs->openAnswer = pathOf("B.nc");
  trigger(*editor, "mnuBestandOpenen");
  editor->textArea()->moveCursor(QTextCursor::End);
  type(*editor, q("€ Ω 中 Ω"));
  dialogs->answers = {QMessageBox::No};
  trigger(*editor, "mnuBestandOpslaan");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_EQ(dialogs->messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(dialogs->messages[0].text.contains(q("De tekens Ω 中 passen niet")));
  EXPECT_EQ(contentOf(pathOf("B.nc")), latin1);
  EXPECT_TRUE(editor->document().modified());

  dialogs->answers = {QMessageBox::Yes};
  trigger(*editor, "mnuBestandOpslaan");
  EXPECT_EQ(contentOf(pathOf("B.nc")), "G00 ;\r\n(ä)\r\n€ Ω 中 Ω");
  EXPECT_FALSE(editor->document().modified());
  EXPECT_EQ(editor->document().encoding(), FileEncoding::Utf8);
}

}  // namespace
}  // namespace draivo::test
