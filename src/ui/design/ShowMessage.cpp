#include "design/ShowMessage.h"

#include <QMessageBox>

namespace draivo {

ShowMessage messageBoxShowMessage() {
  return [](QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::warning(parent, title, text);
  };
}

}  // namespace draivo
