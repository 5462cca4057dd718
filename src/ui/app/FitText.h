#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QLabel;

namespace draivo {

// Shows the text in the label, with the font made smaller where needed so that the whole
// text fits the label's fixed width (the status panel's places are narrow).
void setFittedText(QLabel* label, const QString& text);

// The font, made smaller where needed so that each of the texts fits the width.
QFont fittingFont(QFont font, const QStringList& texts, int width);

}  // namespace draivo
