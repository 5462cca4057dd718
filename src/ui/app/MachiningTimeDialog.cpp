#include "app/MachiningTimeDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "time/TimeTable.h"

namespace draivo {
namespace {

constexpr int RateStep = 500;
constexpr int TableMargin = 4;  // beside the columns

QString text(const std::string& value) {
  return QString::fromStdString(value);
}

}  // namespace

MachiningTimeDialog::MachiningTimeDialog(const TimeAccount& account, QWidget* parent)
    : QDialog(parent), account_(account) {
  setObjectName("frmBewerkingstijd");
  setWindowTitle("Bewerkingstijd");

  grdBewerkingstijd_ = new QTableWidget(this);
  grdBewerkingstijd_->setObjectName("grdBewerkingstijd");
  grdBewerkingstijd_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdBewerkingstijd_->setSelectionMode(QAbstractItemView::NoSelection);
  grdBewerkingstijd_->setFocusPolicy(Qt::NoFocus);
  grdBewerkingstijd_->verticalHeader()->hide();
  // The table is as large as its cells.
  grdBewerkingstijd_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grdBewerkingstijd_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grdBewerkingstijd_->setColumnCount(static_cast<int>(TimeColumnCount));

  auto* lblIJlgang = new QLabel("IJlgang :", this);
  txtIJlgang_ = new QSpinBox(this);
  txtIJlgang_->setObjectName("txtIJlgang");
  txtIJlgang_->setRange(1, MaxRapidRate);
  txtIJlgang_->setSingleStep(RateStep);
  txtIJlgang_->setValue(static_cast<int>(std::lround(account_.defaultRapidRate())));
  txtIJlgang_->setSuffix(text(" " + UnitName(account_.unit) + "/min"));
  lblIJlgang->setBuddy(txtIJlgang_);

  lblOpmerking_ = new QLabel(this);
  lblOpmerking_->setObjectName("lblOpmerking");
  lblOpmerking_->setWordWrap(true);

  auto* cmdSluiten = new QPushButton("Sluiten", this);
  cmdSluiten->setObjectName("cmdSluiten");
  connect(cmdSluiten, &QPushButton::clicked, this, &QDialog::accept);

  auto* rateRow = new QHBoxLayout;
  rateRow->addWidget(lblIJlgang);
  rateRow->addWidget(txtIJlgang_);
  rateRow->addStretch();
  rateRow->addWidget(cmdSluiten);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grdBewerkingstijd_);
  layout->addWidget(lblOpmerking_);
  layout->addLayout(rateRow);

  connect(txtIJlgang_, &QSpinBox::valueChanged, this, &MachiningTimeDialog::fill);
  fill();
  adjustSize();
  txtIJlgang_->setFocus();
}

void MachiningTimeDialog::fill() {
  const TimeTable table = MakeTimeTable(account_, txtIJlgang_->value());
  QStringList headers;
  for (const std::string& header : table.headers) headers << text(header);
  grdBewerkingstijd_->setHorizontalHeaderLabels(headers);
  grdBewerkingstijd_->setRowCount(static_cast<int>(table.rows.size()));
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    for (std::size_t c = 0; c < TimeColumnCount; ++c) {
      auto* item = new QTableWidgetItem(text(table.rows[r][c]));
      item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                    : Qt::AlignRight | Qt::AlignVCenter);
      if (r + 1 == table.rows.size()) {  // the total
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
      grdBewerkingstijd_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  grdBewerkingstijd_->resizeColumnsToContents();
  grdBewerkingstijd_->resizeRowsToContents();
  const int width = grdBewerkingstijd_->horizontalHeader()->length() + 2 * TableMargin +
                    2 * grdBewerkingstijd_->frameWidth();
  const int height = grdBewerkingstijd_->horizontalHeader()->height() +
                     grdBewerkingstijd_->verticalHeader()->length() +
                     2 * grdBewerkingstijd_->frameWidth();
  grdBewerkingstijd_->setMinimumWidth(width);
  grdBewerkingstijd_->setFixedHeight(height);

  QStringList notes;
  for (const std::string& note : table.notes) notes << text(note);
  lblOpmerking_->setText(notes.join('\n'));
  lblOpmerking_->setVisible(!notes.isEmpty());
}

}  // namespace draivo
