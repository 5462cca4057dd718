#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

class QToolBar;

namespace draivo {

// Screen pixels of the window layout: 15 twips each.
inline constexpr int TwipsPerPixel = 15;
// Height of the editor's toolbar (420 twips).
inline constexpr int ToolbarHeight = 420 / TwipsPerPixel;

// Where the text area lies in the window's inner area: 30 twips from the left, 30 twips
// below the toolbar, 60 twips narrower than the inner area and 480 twips lower.
QRect TextAreaGeometry(QSize inner, int toolbarHeight);

// The inner area of the editor: the toolbar along the top, the text area below it, placed
// again whenever the window changes size.
class EditorClientArea : public QWidget {
 public:
  EditorClientArea(QToolBar* toolbar, QWidget* textArea);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolBar* toolbar_;
  QWidget* textArea_;
};

}  // namespace draivo
