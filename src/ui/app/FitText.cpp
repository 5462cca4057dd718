#include "app/FitText.h"

#include <QFontMetrics>
#include <QLabel>

namespace draivo {

namespace {

constexpr int SmallestPixelSize = 8;

}  // namespace

void setFittedText(QLabel* label, const QString& text) {
  QFont font = label->parentWidget() ? label->parentWidget()->font() : label->font();
  const int available = label->contentsRect().width();
  while (QFontMetrics(font).horizontalAdvance(text) > available &&
         font.pixelSize() > SmallestPixelSize)
    font.setPixelSize(font.pixelSize() - 1);
  label->setFont(font);
  label->setText(text);
}

}  // namespace draivo
