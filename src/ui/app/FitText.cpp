#include "app/FitText.h"

#include <QFontMetrics>
#include <QLabel>

namespace draivo {

namespace {

constexpr int SmallestPixelSize = 8;

}  // namespace

void setFittedText(QLabel* label, const QString& text) {
  const QFont font = label->parentWidget() ? label->parentWidget()->font() : label->font();
  label->setFont(fittingFont(font, {text}, label->contentsRect().width()));
  label->setText(text);
}

QFont fittingFont(QFont font, const QStringList& texts, int width) {
  const auto fits = [&] {
    const QFontMetrics metrics(font);
    for (const QString& text : texts)
      if (metrics.horizontalAdvance(text) > width) return false;
    return true;
  };
  while (!fits() && font.pixelSize() > SmallestPixelSize) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

}  // namespace draivo
