#include "app/CommandSheet.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace draivo {

namespace {

const QColor Face(240, 240, 240);
const QColor Light(255, 255, 255);
const QColor Shadow(160, 160, 160);
const QColor Idle(128, 128, 128);
const QColor Turning(0, 150, 0);
const QColor StopRed(200, 0, 0);
const QColor Water(20, 110, 230);
const QColor StepAmber(230, 150, 0);

QRectF cellRect(ImageCell cell) {
  return QRectF(cell.column, cell.row, cell.size, cell.size);
}

void drawCellFrame(QPainter& p, ImageCell cell) {
  const QRectF r = cellRect(cell).adjusted(0.5, 0.5, -0.5, -0.5);
  p.fillRect(cellRect(cell), Face);
  p.setPen(Light);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(Shadow);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

QPointF onCircle(QPointF centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

// An arc of three quarters with an arrow head at its end; Qt angles (counter-clockwise from
// three o'clock), a negative span turns clockwise.
void drawArcArrow(QPainter& p, QPointF centre, double radius, double start, double span,
                  const QColor& colour) {
  QPainterPath arc;
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  arc.arcMoveTo(box, start);
  arc.arcTo(box, start, span);
  p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);

  const double end = (start + span) * std::numbers::pi / 180.0;
  const double turn = span < 0 ? -1.0 : 1.0;
  const QPointF tip = onCircle(centre, radius, start + span);
  const QPointF along(-std::sin(end) * turn, -std::cos(end) * turn);
  const QPointF across(std::cos(end), -std::sin(end));
  QPolygonF head;
  head << tip + along * 8 << tip + across * 7 << tip - across * 7;
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(head);
}

void drawSpindle(QPainter& p, ImageCell cell, bool clockwise, bool running) {
  drawCellFrame(p, cell);
  const QPointF centre = cellRect(cell).center();
  const QColor colour = running ? Turning : Idle;
  drawArcArrow(p, centre, 14, 90, clockwise ? -270 : 270, colour);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(centre, 4, 4);
  if (running) return;
  // A red bar across the arrow: the spindle stands still.
  p.setPen(QPen(StopRed, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(-16, 16), centre + QPointF(16, -16));
}

QPainterPath dropPath(QPointF centre) {
  QPainterPath drop;
  const QPointF tip = centre + QPointF(0, -17);
  drop.moveTo(tip);
  drop.cubicTo(centre + QPointF(4, -8), centre + QPointF(13, 0), centre + QPointF(12, 7));
  drop.arcTo(QRectF(centre.x() - 12, centre.y() - 5, 24, 24), 0, -180);
  drop.cubicTo(centre + QPointF(-13, 0), centre + QPointF(-4, -8), tip);
  return drop;
}

void drawCoolant(QPainter& p, ImageCell cell, bool on) {
  drawCellFrame(p, cell);
  const QPointF centre = cellRect(cell).center();
  p.setPen(QPen(on ? Water.darker(140) : Idle.darker(130), 1.5));
  p.setBrush(on ? Water : Idle.lighter(140));
  p.drawPath(dropPath(centre));
  if (on) {
    p.setPen(QPen(Light, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - 7, centre.y(), 14, 14), 180 * 16, 70 * 16);
    return;
  }
  p.setPen(QPen(StopRed, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(-15, -15), centre + QPointF(15, 15));
  p.drawLine(centre + QPointF(15, -15), centre + QPointF(-15, 15));
}

QPolygonF playTriangle(QPointF centre, double size) {
  QPolygonF triangle;
  triangle << centre + QPointF(-size * 0.6, -size) << centre + QPointF(size, 0)
           << centre + QPointF(-size * 0.6, size);
  return triangle;
}

void drawStart(QPainter& p, ImageCell cell, StartImage image) {
  drawCellFrame(p, cell);
  const QPointF centre = cellRect(cell).center();
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  switch (image) {
    case StartImage::Idle:
      p.setBrush(Idle.lighter(130));
      p.drawPolygon(playTriangle(centre, 14));
      break;
    case StartImage::Running:
      p.setBrush(QColor(30, 200, 30));
      p.drawPolygon(playTriangle(centre, 14));
      break;
    case StartImage::Step:
      // One step forward: a short triangle against two bars.
      p.setBrush(StepAmber);
      p.drawPolygon(playTriangle(centre + QPointF(-6, 0), 10));
      p.drawRect(QRectF(centre.x() + 6, centre.y() - 11, 4, 22));
      p.drawRect(QRectF(centre.x() + 13, centre.y() - 11, 4, 22));
      break;
  }
}

}  // namespace

QImage drawCommandSheet() {
  QImage sheet(CommandSheetWidth, CommandSheetHeight, QImage::Format_RGB32);
  sheet.fill(Face);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::Antialiasing);
  drawSpindle(p, cellOf(SpindleImage::RunningM03), true, true);
  drawSpindle(p, cellOf(SpindleImage::RunningM04), false, true);
  drawSpindle(p, cellOf(SpindleImage::StoppedM03), true, false);
  drawSpindle(p, cellOf(SpindleImage::StoppedM04), false, false);
  drawCoolant(p, cellOf(CoolantImage::On), true);
  drawCoolant(p, cellOf(CoolantImage::Off), false);
  drawStart(p, cellOf(StartImage::Idle), StartImage::Idle);
  drawStart(p, cellOf(StartImage::Step), StartImage::Step);
  drawStart(p, cellOf(StartImage::Running), StartImage::Running);
  return sheet;
}

QImage cutCommandImage(const QImage& sheet, ImageCell cell, int targetSize) {
  const QImage image = sheet.copy(cell.column, cell.row, cell.size, cell.size);
  if (targetSize == cell.size) return image;
  return image.scaled(targetSize, targetSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace draivo
