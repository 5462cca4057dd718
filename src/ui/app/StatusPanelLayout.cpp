#include "app/StatusPanelLayout.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/Layout.h"

namespace draivo {

namespace {

int widest(const QFontMetrics& metrics, const QStringList& texts) {
  int width = 0;
  for (const QString& text : texts) width = std::max(width, metrics.horizontalAdvance(text));
  return width;
}

}  // namespace

QRect StatusPanelLayout::caption(int row) const {
  const QRect place = layout::panelCaption(row);
  return {captionLeft, place.top(), captionWidth, place.height()};
}

QRect StatusPanelLayout::value(int row) const {
  const QRect place = layout::panelValue(row);
  return {valueLeft, place.top(), valueWidth, place.height()};
}

StatusPanelLayout MakeStatusPanelLayout(const QFont& font, const QStringList& captions,
                                        const QStringList& values) {
  const QFontMetrics metrics(font);
  StatusPanelLayout panel{};
  panel.captionLeft = layout::panelCaption(0).left();
  panel.captionWidth = widest(metrics, captions);
  panel.valueLeft = std::max(layout::panelValue(0).left(),
                             panel.captionLeft + panel.captionWidth + layout::CaptionGap);
  panel.valueWidth = std::max(layout::panelValue(0).width(), widest(metrics, values));
  // The frame keeps the layout's margin right of the values.
  const int rightMargin = layout::Frame1.width() - layout::panelValue(0).right() - 1;
  const int width =
      std::max(layout::Frame1.width(), panel.valueLeft + panel.valueWidth + rightMargin);
  panel.growth = width - layout::Frame1.width();
  panel.frame = QRect(layout::Frame1.topLeft(), QSize(width, layout::Frame1.height()));
  panel.nullPoint = layout::lblNullPoint.adjusted(0, 0, panel.growth, 0);
  return panel;
}

QRect movedRight(QRect rect, int dx) {
  return rect.translated(dx, 0);
}

QRect shrunkFromLeft(QRect rect, int dx) {
  return rect.adjusted(dx, 0, 0, 0);
}

}  // namespace draivo
