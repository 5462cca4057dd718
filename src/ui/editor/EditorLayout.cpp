#include "editor/EditorLayout.h"

#include <QResizeEvent>
#include <QToolBar>
#include <algorithm>

namespace draivo {
namespace {

constexpr int pixels(int twips) {
  return twips / TwipsPerPixel;
}

}  // namespace

QRect TextAreaGeometry(QSize inner, int toolbarHeight) {
  return QRect(pixels(30), toolbarHeight + pixels(30), std::max(0, inner.width() - pixels(60)),
               std::max(0, inner.height() - pixels(480)));
}

EditorClientArea::EditorClientArea(QToolBar* toolbar, QWidget* textArea)
    : toolbar_(toolbar), textArea_(textArea) {
  toolbar_->setParent(this);
  textArea_->setParent(this);
}

void EditorClientArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  toolbar_->setGeometry(0, 0, width(), ToolbarHeight);
  textArea_->setGeometry(TextAreaGeometry(size(), ToolbarHeight));
}

}  // namespace draivo
