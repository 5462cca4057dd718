#include "editor/EditorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace draivo {
namespace {

constexpr int IconSize = 32;  // drawn on a 16-unit grid, scaled by 2

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);

void page(QPainter& p, double x, double y, double w, double h) {
  QPainterPath path;
  path.moveTo(x, y);
  path.lineTo(x + w - 3, y);
  path.lineTo(x + w, y + 3);
  path.lineTo(x + w, y + h);
  path.lineTo(x, y + h);
  path.closeSubpath();
  p.setBrush(Paper);
  p.drawPath(path);
  p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
  p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

void textLines(QPainter& p, double x, double y, double w, int count) {
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(x, y + 2 * i), QPointF(x + w, y + 2 * i));
}

void drawNew(QPainter& p) {
  page(p, 3, 1, 10, 14);
}

void drawOpen(QPainter& p) {
  p.setBrush(QColor(240, 200, 80));
  p.drawRect(QRectF(1, 4, 12, 10));
  p.drawRect(QRectF(1, 3, 5, 2));
  p.setBrush(QColor(250, 225, 120));
  QPolygonF flap({QPointF(3, 7), QPointF(15, 7), QPointF(13, 14), QPointF(1, 14)});
  p.drawPolygon(flap);
}

void drawSave(QPainter& p) {
  p.setBrush(QColor(60, 90, 170));
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(Paper);
  p.drawRect(QRectF(4, 1.5, 8, 5));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4, 9, 8, 5.5));
}

void drawDelete(QPainter& p) {
  p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(3, 3), QPointF(13, 13));
  p.drawLine(QPointF(13, 3), QPointF(3, 13));
}

void drawPrint(QPainter& p) {
  page(p, 4, 1, 8, 6);
  p.setBrush(QColor(190, 190, 190));
  p.drawRect(QRectF(1, 6, 14, 6));
  p.setBrush(Paper);
  p.drawRect(QRectF(4, 10, 8, 5));
  textLines(p, 5, 12, 6, 2);
}

void drawFind(QPainter& p) {
  p.setBrush(QColor(200, 230, 255));
  p.drawEllipse(QRectF(2, 2, 8, 8));
  p.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9, 9), QPointF(14, 14));
}

void drawCut(QPainter& p) {
  p.drawLine(QPointF(5, 1), QPointF(10, 10));
  p.drawLine(QPointF(11, 1), QPointF(6, 10));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Ink, 1.5));
  p.drawEllipse(QRectF(2, 10, 4.5, 4.5));
  p.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
}

void drawCopy(QPainter& p) {
  page(p, 1, 1, 9, 11);
  page(p, 6, 4, 9, 11);
  textLines(p, 8, 8, 5, 3);
}

void drawPaste(QPainter& p) {
  p.setBrush(QColor(180, 130, 70));
  p.drawRect(QRectF(1.5, 2.5, 10, 12));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4, 1, 5, 3));
  page(p, 7, 6, 8, 9);
}

void drawArrow(QPainter& p, bool back) {
  if (!back) {
    p.translate(16, 0);
    p.scale(-1, 1);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(30, 110, 40), 2.0, Qt::SolidLine, Qt::RoundCap));
  QPainterPath bow;
  bow.moveTo(4, 7);
  bow.cubicTo(8, 2, 15, 5, 12, 13);
  p.drawPath(bow);
  p.setBrush(QColor(30, 110, 40));
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(7, 3), QPointF(5, 10)}));
}

const std::map<QString, std::function<void(QPainter&)>>& painters() {
  static const std::map<QString, std::function<void(QPainter&)>> all{
      {QStringLiteral("Nieuw"), drawNew},
      {QStringLiteral("Openen"), drawOpen},
      {QStringLiteral("Opslaan"), drawSave},
      {QStringLiteral("Verwijderen"), drawDelete},
      {QStringLiteral("Afdrukken"), drawPrint},
      {QStringLiteral("Zoeken"), drawFind},
      {QStringLiteral("Knippen"), drawCut},
      {QStringLiteral("Kopieren"), drawCopy},
      {QStringLiteral("Plakken"), drawPaste},
      {QStringLiteral("Undo"), [](QPainter& p) { drawArrow(p, true); }},
      {QStringLiteral("Redo"), [](QPainter& p) { drawArrow(p, false); }},
  };
  return all;
}

}  // namespace

QIcon EditorIcon(const QString& key) {
  const auto found = painters().find(key);
  if (found == painters().end()) return {};
  QPixmap picture(IconSize, IconSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(IconSize / 16.0, IconSize / 16.0);
  painter.setPen(QPen(Ink, 1.0));
  found->second(painter);
  painter.end();
  return QIcon(picture);
}

}  // namespace draivo
