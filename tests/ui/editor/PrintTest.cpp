#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextDocument>

#include "EditorFixture.h"
#include "editor/Wysiwyg.h"

namespace draivo::test {
namespace {

// Pages of a PDF file: its "/Type /Page" objects (the page tree is "/Type /Pages").
int pdfPageCount(const QString& fileName) {
  const QString content = QString::fromLatin1(contentOf(fileName));
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return static_cast<int>(content.count(page));
}

QString numberedLines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines << QStringLiteral("N%1 G01 X%1 Z-5 ;").arg(i * 5);
  return lines.join(u'\n');
}

// Lines that fit between one-inch margins of an A4 page in the editor's font.
int linesPerPage(const QFont& font) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const double height =
      printer.paperRect(QPrinter::DevicePixel).height() - 2.0 * printer.logicalDpiY();
  return static_cast<int>(height / QFontMetricsF(font, &printer).lineSpacing());
}

class PrintFixture : public EditorFixture {
 protected:
  int print(const QString& text) {
    auto editor = openEditor();
    editor->textArea()->setPlainText(text);
    dialogs->pdfFile = pathOf("uit.pdf");
    trigger(*editor, "mnuBestandAfdrukken");
    EXPECT_TRUE(dialogs->messages.empty());
    return pdfPageCount(dialogs->pdfFile);
  }
};

struct PageCase {
  std::string name;
  int lines;  // -1: exactly one page full, -2: one line more than that
  int pages;
};

void PrintTo(const PageCase& c, std::ostream* out) {
  *out << c.name;
}

class PrintPagesTest : public PrintFixture, public testing::WithParamInterface<PageCase> {};

TEST_P(PrintPagesTest, PrintsPageByPage) {
  auto probe = openEditor();
  const int perPage = linesPerPage(probe->textArea()->document()->defaultFont());
  ASSERT_GT(perPage, 30);
  int lines = GetParam().lines;
  if (lines == -1) lines = perPage;
  if (lines == -2) lines = perPage + 1;
  if (lines == -3) lines = 3 * perPage - 1;
  EXPECT_EQ(print(lines == 0 ? QString() : numberedLines(lines)), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintPagesTest,
    testing::Values(PageCase{"EmptyTextIsOnePage", 0, 1}, PageCase{"OneLine", 1, 1},
                    PageCase{"ExactlyOnePageFull", -1, 1}, PageCase{"OneLineMore", -2, 2},
                    PageCase{"AlmostThreePages", -3, 3}),
    [](const testing::TestParamInfo<PageCase>& info) { return info.param.name; });

TEST_F(PrintFixture, WithoutAnyPrinterTheUserIsTold) {
  auto editor = openEditor();
  editor->textArea()->setPlainText("G00 X1 ;");
  dialogs->pdfFile.clear();
  trigger(*editor, "Afdrukken");
  ASSERT_EQ(dialogs->messages.size(), 1u);
  EXPECT_TRUE(dialogs->messages[0].text.contains("printer"));
}

struct PdfPrinter {
  explicit PdfPrinter(const QString& fileName) : printer(QPrinter::HighResolution) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::Letter));
  }
  QPrinter printer;
};

QTextDocument& courierText(QTextDocument& document, const QString& text) {
  document.setDefaultFont(QFont(QStringLiteral("Courier New"), 10));
  document.setPlainText(text);
  return document;
}

TEST(PrintRTF, TopAndBottomMarginsSetTheLinesOfAPage) {
  TempFolder folder;
  PdfPrinter pdf(QString::fromStdString((folder.path() / "m.pdf").string()));
  const PrintMargins margins{TwipsPerInch, 4 * TwipsPerInch, TwipsPerInch, 4 * TwipsPerInch};
  // A letter sheet is 11 inches high: 3 inches stay between these margins.
  const double lineSpacing =
      QFontMetricsF(QFont(QStringLiteral("Courier New"), 10), &pdf.printer).lineSpacing();
  const int perPage = static_cast<int>(3 * pdf.printer.logicalDpiY() / lineSpacing);
  ASSERT_GT(perPage, 10);
  QTextDocument document;
  QStringList lines;
  for (int i = 0; i < 2 * perPage + 1; ++i) lines << QStringLiteral("G01 X%1 ;").arg(i);
  EXPECT_EQ(PrintRTF(courierText(document, lines.join(u'\n')), pdf.printer, margins), 3);
  EXPECT_EQ(pdfPageCount(pdf.printer.outputFileName()), 3);
}

TEST(PrintRTF, SideMarginsNarrowTheLines) {
  TempFolder folder;
  QStringList words;
  for (int i = 0; i < 3000; ++i) words << QStringLiteral("X%1").arg(i % 10);
  QTextDocument document;
  courierText(document, words.join(u' '));
  PdfPrinter normal(QString::fromStdString((folder.path() / "n.pdf").string()));
  PdfPrinter narrow(QString::fromStdString((folder.path() / "s.pdf").string()));
  const int normalPages = PrintRTF(document, normal.printer, PrintMargins{});
  const int narrowPages =
      PrintRTF(document, narrow.printer,
               PrintMargins{3 * TwipsPerInch, TwipsPerInch, 3 * TwipsPerInch, TwipsPerInch});
  // 6.5 inches of line against 2.5 inches: the lines hold less than half as much.
  EXPECT_GE(narrowPages, 2 * normalPages);
  EXPECT_EQ(document.toPlainText(), words.join(u' '));
}

}  // namespace
}  // namespace draivo::test
