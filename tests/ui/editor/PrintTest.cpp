#include "MainWindowFixture.h"

namespace draivo::test {
namespace {

// Pages of a PDF file: its "/Type /Page" objects (the page tree is "/Type /Pages").
int pdfPageCount(const QString& fileName) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return static_cast<int>(QString::fromLatin1(contentOf(fileName)).count(page));
}

// Lines of the font that fit on a page of the printer between margins of one inch.
int linesPerPage(QPrinter& printer, const QFont& font) {
  const double height =
      printer.paperRect(QPrinter::DevicePixel).height() - 2.0 * printer.logicalDpiY();
  return static_cast<int>(height / QFontMetricsF(font, &printer).lineSpacing());
}

// "Afdrukken" prints page by page between margins of one inch; without a printer the user
// is told.
TEST_F(MainWindowTest, AfdrukkenPrintsPageByPage) {
  auto editor = openEditor();
  trigger(*editor, "mnuBestandAfdrukken");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("printer"), std::string::npos);
  dialogs.messages.clear();
  dialogs.pdfFile = pathOf("uit.pdf");
  const int perPage =
      linesPerPage(*dialogs.defaultPrinter(), editor->textArea()->document()->defaultFont());
  ASSERT_GT(perPage, 30);
  const std::pair<int, int> linesAndPages[] = {
      {0, 1}, {1, 1}, {perPage, 1}, {perPage + 1, 2}, {3 * perPage - 1, 3}};
  for (const auto& [lines, pages] : linesAndPages) {
    QStringList text;
    for (int i = 1; i <= lines; ++i) text << QStringLiteral("N%1 G01 X%1 Z-5 ;").arg(i * 5);
    editor->textArea()->setPlainText(text.join(u'\n'));
    dialogs.pdfFile = pathOf("uit" + std::to_string(lines) + ".pdf");
    trigger(*editor, "Afdrukken");
    EXPECT_EQ(pdfPageCount(dialogs.pdfFile), pages) << lines << " lines";
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace draivo::test
