#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>

namespace draivo {

// The places of the status panel for its font: the captions in one column, the values in
// the next, each as wide as its widest text needs. The panel starts where the layout puts
// it and grows to the right when the texts need more room than the layout gives; the
// controls right of it move by `growth`.
struct StatusPanelLayout {
  QRect frame;      // Frame1, in the client area
  int captionLeft;  // inside the frame, as every place below
  int captionWidth;
  int valueLeft;
  int valueWidth;
  QRect nullPoint;  // lblNullPoint, over the rows
  int growth;       // how much wider the frame is than the layout's

  QRect caption(int row) const;
  QRect value(int row) const;
};

// `captions` are every text a caption row can show, `values` the widest values the panel
// is made for (longer ones are shown in a smaller font).
StatusPanelLayout MakeStatusPanelLayout(const QFont& font, const QStringList& captions,
                                        const QStringList& values);

// The rectangle moved right by `dx`, and the same with its right edge kept.
QRect movedRight(QRect rect, int dx);
QRect shrunkFromLeft(QRect rect, int dx);

}  // namespace draivo
