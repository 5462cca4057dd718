#include <QFontMetricsF>
#include <QRegularExpression>

#include "MainWindowFixture.h"
#include "editor/Wysiwyg.h"

namespace draivo::test {
namespace {

// Pages of a PDF file: its "/Type /Page" objects (the page tree is "/Type /Pages").
int pdfPageCount(const QString& fileName) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return static_cast<int>(QString::fromLatin1(contentOf(fileName)).count(page));
}

// Lines of the font that fit on an A4 page between margins of one inch, or `margins` inches.
int linesPerPage(const QFont& font, double margins = 2) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const double height =
      printer.paperRect(QPrinter::DevicePixel).height() - margins * printer.logicalDpiY();
  return static_cast<int>(height / QFontMetricsF(font, &printer).lineSpacing());
}

// "Afdrukken" prints page by page between margins of one inch; without a printer the user
// is told.
TEST_F(MainWindowTest, AfdrukkenPrintsPageByPage) {
  auto editor = openEditor();
  const int perPage = linesPerPage(editor->textArea()->document()->defaultFont());
  ASSERT_GT(perPage, 30);
  trigger(*editor, "mnuBestandAfdrukken");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("printer"), std::string::npos);
  dialogs.messages.clear();
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

// Top and bottom margins of 4 inches leave 3.7 inches of an A4 page; side margins narrow the
// lines.
TEST(PrintRTF, MarginsSetTheLinesOfAPageAndTheirWidth) {
  TempFolder folder;
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("Courier New"), 10));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const int perPage = linesPerPage(document.defaultFont(), 8);
  ASSERT_GT(perPage, 5);
  QStringList lines;
  for (int i = 0; i < 2 * perPage + 1; ++i) lines << QStringLiteral("G01 X%1 ;").arg(i);
  document.setPlainText(lines.join(u'\n'));
  printer.setOutputFileName(QString::fromStdString((folder.path() / "m.pdf").string()));
  EXPECT_EQ(
      PrintRTF(document, printer, {TwipsPerInch, 4 * TwipsPerInch, TwipsPerInch, 4 * TwipsPerInch}),
      3);

  document.setPlainText(QString("X1 ").repeated(3000));
  printer.setOutputFileName(QString::fromStdString((folder.path() / "n.pdf").string()));
  const int normalPages = PrintRTF(document, printer, PrintMargins{});
  printer.setOutputFileName(QString::fromStdString((folder.path() / "s.pdf").string()));
  // 6.27 inches of line against 2.27 inches: the lines hold less than half as much.
  EXPECT_GE(
      PrintRTF(document, printer, {3 * TwipsPerInch, TwipsPerInch, 3 * TwipsPerInch, TwipsPerInch}),
      2 * normalPages);
}

}  // namespace
}  // namespace draivo::test
