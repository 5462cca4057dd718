#include "editor/Wysiwyg.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace draivo {
namespace {

double twipsToPixels(int twips, int dotsPerInch) {
  return static_cast<double>(twips) * dotsPerInch / TwipsPerInch;
}

// The drawing rectangle in device pixels, relative to the paper's corner.
QRectF drawingRectangle(const QPrinter& printer, const PrintMargins& margins) {
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const int dpiX = printer.logicalDpiX();
  const int dpiY = printer.logicalDpiY();
  const double left = twipsToPixels(margins.left, dpiX);
  const double top = twipsToPixels(margins.top, dpiY);
  const double right = paper.width() - twipsToPixels(margins.right, dpiX);
  const double bottom = paper.height() - twipsToPixels(margins.bottom, dpiY);
  return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void drawPage(QPainter& painter, QTextDocument& layout, const QRectF& drawing, int page) {
  const QRectF pageArea(0, page * drawing.height(), drawing.width(), drawing.height());
  painter.save();
  painter.translate(drawing.left(), drawing.top() - pageArea.top());
  painter.setClipRect(pageArea);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = pageArea;
  context.palette.setColor(QPalette::Text, Qt::black);
  layout.documentLayout()->draw(&painter, context);
  painter.restore();
}

}  // namespace

int PrintRTF(const QTextDocument& document, QPrinter& printer, const PrintMargins& margins) {
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QRectF drawing = drawingRectangle(printer, margins);

  // A copy laid out for the printer's resolution, cut into pages of the drawing rectangle.
  std::unique_ptr<QTextDocument> layout(document.clone());
  layout->setDefaultFont(document.defaultFont());
  layout->documentLayout()->setPaintDevice(&printer);
  layout->setDocumentMargin(0);
  layout->setPageSize(drawing.size());

  const int pages = layout->pageCount();
  for (int page = 0; page < pages; ++page) {
    if (page > 0) printer.newPage();
    drawPage(painter, *layout, drawing, page);
  }
  painter.end();
  return pages;
}

}  // namespace draivo
