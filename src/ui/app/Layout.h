#pragma once

#include <QRect>

namespace draivo::layout {

// The window layout is given in twips; 15 twips make one pixel.
inline constexpr int TwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height) {
  return QRect(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
               height / TwipsPerPixel);
}

inline constexpr int ClientWidth = 10875 / TwipsPerPixel;
inline constexpr int ClientHeight = 8085 / TwipsPerPixel;

inline constexpr QRect picResult = twips(135, 150, 10590, 5595);
inline constexpr QRect RichTextBox1 = twips(10920, 150, 4215, 5595);
inline constexpr QRect Frame1 = twips(120, 5880, 2775, 1575);
inline constexpr QRect picViewCommand[3] = {
    twips(3120, 6000, 720, 720), twips(4080, 6000, 720, 720), twips(3480, 6840, 900, 900)};
// "Stap terug", a toolbar button in the room between Start and the program list.
inline constexpr QRect cmdStapTerug = twips(4440, 7020, 540, 540);
inline constexpr QRect lstCommands = twips(5040, 6000, 3375, 1620);
inline constexpr QRect lblZoomFactor = twips(8640, 6000, 1095, 255);
inline constexpr QRect HScroll1 = twips(8640, 6240, 1335, 255);
inline constexpr QRect lblZoom = twips(10200, 6240, 375, 255);
inline constexpr QRect lblDrawSpeed = twips(8640, 6600, 1095, 255);
inline constexpr QRect HScroll2 = twips(8640, 6840, 1335, 255);
inline constexpr QRect lblSpeed = twips(10200, 6840, 375, 255);
inline constexpr QRect ChkDirect = twips(8640, 7200, 1215, 375);

// Inside Frame1: one row every 240 twips, captions at 240, values at 1800.
inline constexpr int PanelRowTop = 240;
inline constexpr int PanelRowStep = 240;
inline constexpr int PanelRowHeight = 255;
inline constexpr int CaptionLeft = 240, CaptionWidth = 1575;
inline constexpr int ValueLeft = 1800, ValueWidth = 855;
inline constexpr QRect lblNullPoint = twips(120, 240, 2535, 1215);
// A caption's text ends at least this many pixels before the value column.
inline constexpr int CaptionGap = 4;

constexpr QRect panelCaption(int row) {
  return twips(CaptionLeft, PanelRowTop + row * PanelRowStep, CaptionWidth, PanelRowHeight);
}
constexpr QRect panelValue(int row, int left = ValueLeft, int width = ValueWidth) {
  return twips(left, PanelRowTop + row * PanelRowStep, width, PanelRowHeight);
}

}  // namespace draivo::layout
