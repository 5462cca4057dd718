#pragma once

#include <QImage>

#include "run/RunControl.h"

namespace draivo {

// The hidden image sheet picCommands: every picture-button image in its fixed cell.
inline constexpr int CommandSheetWidth = 242;
inline constexpr int CommandSheetHeight = 102;
QImage drawCommandSheet();

// A cell of the sheet, stretched to targetSize when that differs from the cell size.
QImage cutCommandImage(const QImage& sheet, ImageCell cell, int targetSize);

}  // namespace draivo
