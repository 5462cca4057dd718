#include "app/WarningsWindow.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPoint>
#include <QVBoxLayout>

namespace draivo {
namespace {

constexpr int WindowWidth = 520;
constexpr int WindowHeight = 220;
// Where the window first comes up: over the upper left of the view, where a part drawn from
// the program zero rarely reaches, leaving the program list and the status panel in sight.
constexpr QPoint PlaceInOwner(24, 64);

// "shaft.nc regel 6: Ijlgang door materiaal: N50 G00 X30 Z-20 ;"
QString lineOf(const StockWarning& warning) {
  return QFileInfo(QString::fromStdString(warning.where.file)).fileName() + " regel " +
         QString::number(warning.where.line) + ": " + WarningText(warning.kind) + ": " +
         QString::fromStdString(warning.where.block);
}

}  // namespace

WarningsWindow::WarningsWindow(std::function<void(const StockWarning&)> select, QWidget* owner)
    : QWidget(owner, Qt::Tool), select_(std::move(select)) {
  setObjectName("frmWaarschuwingen");
  setWindowTitle("Waarschuwingen");
  setAttribute(Qt::WA_ShowWithoutActivating);
  lblAantal_ = new QLabel(this);
  lblAantal_->setObjectName("lblAantal");
  lstWaarschuwingen_ = new QListWidget(this);
  lstWaarschuwingen_->setObjectName("lstWaarschuwingen");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblAantal_);
  layout->addWidget(lstWaarschuwingen_);
  resize(WindowWidth, WindowHeight);
  connect(lstWaarschuwingen_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = lstWaarschuwingen_->row(item);
    if (row >= 0 && static_cast<std::size_t>(row) < warnings_.size()) {
      select_(warnings_[static_cast<std::size_t>(row)]);
    }
  });
  clear();
}

void WarningsWindow::clear() {
  warnings_.clear();
  lstWaarschuwingen_->clear();
  lblAantal_->setText("Geen waarschuwingen");
}

void WarningsWindow::add(const StockWarning& warning) {
  warnings_.push_back(warning);
  lstWaarschuwingen_->addItem(lineOf(warning));
  lblAantal_->setText(warnings_.size() == 1 ? QString("1 waarschuwing")
                                            : QString::number(warnings_.size()) + " waarschuwingen");
  if (isVisible()) return;
  if (!placed_ && parentWidget()) {
    move(parentWidget()->mapToGlobal(PlaceInOwner));
    placed_ = true;
  }
  show();
}

int WarningsWindow::count() const {
  return lstWaarschuwingen_->count();
}

}  // namespace draivo
