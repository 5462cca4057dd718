#include "app/MachiningTimeDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "time/TimeTable.h"

namespace draivo {
namespace {

constexpr int TableMargin = 4;  // beside the columns
constexpr int RateFieldCharacters = 9;
const QString RefusedFieldStyle = QStringLiteral("QLineEdit { background-color: #ffd0d0; }");

QString text(const std::string& value) {
  return QString::fromStdString(value);
}

}  // namespace

MachiningTimeDialog::MachiningTimeDialog(const TimeAccount& account, QWidget* parent)
    : QDialog(parent), account_(account), rate_(account_.defaultRapidRate()) {
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
  txtIJlgang_ = new QLineEdit(QString::number(rate_), this);
  txtIJlgang_->setObjectName("txtIJlgang");
  txtIJlgang_->setMaximumWidth(txtIJlgang_->fontMetrics().averageCharWidth() *
                               (RateFieldCharacters + 2));
  lblIJlgang->setBuddy(txtIJlgang_);
  auto* lblEenheid = new QLabel(text(UnitName(account_.unit) + "/min"), this);

  lblOpmerking_ = new QLabel(this);
  lblOpmerking_->setObjectName("lblOpmerking");
  lblOpmerking_->setWordWrap(true);

  auto* cmdSluiten = new QPushButton("Sluiten", this);
  cmdSluiten->setObjectName("cmdSluiten");
  connect(cmdSluiten, &QPushButton::clicked, this, &QDialog::accept);

  auto* rateRow = new QHBoxLayout;
  rateRow->addWidget(lblIJlgang);
  rateRow->addWidget(txtIJlgang_);
  rateRow->addWidget(lblEenheid);
  rateRow->addStretch();
  rateRow->addWidget(cmdSluiten);
  auto* layout = new QVBoxLayout(this);
  // The dialog is as large as its content, also when a note comes or goes.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(grdBewerkingstijd_);
  layout->addWidget(lblOpmerking_);
  layout->addLayout(rateRow);

  connect(txtIJlgang_, &QLineEdit::textChanged, this, &MachiningTimeDialog::rateEdited);
  fill();
  adjustSize();
  txtIJlgang_->setFocus();
}

void MachiningTimeDialog::rateEdited(const QString& typed) {
  const std::optional<double> rate = ReadRapidRate(typed.toStdString());
  txtIJlgang_->setStyleSheet(rate ? QString() : RefusedFieldStyle);
  if (!rate) {
    txtIJlgang_->setToolTip(
        QStringLiteral("Een ijlgang boven 0 tot en met %1").arg(static_cast<int>(MaxRapidRate)));
    const QString unit = text(" " + UnitName(account_.unit) + "/min");
    showNotes({QStringLiteral("Niet herberekend: \"%1\" is geen ijlgang boven 0 tot en met %2%3; "
                              "de tabel geldt voor %4%3.")
                   .arg(typed)
                   .arg(static_cast<int>(MaxRapidRate))
                   .arg(unit)
                   .arg(rate_)});
    return;
  }
  txtIJlgang_->setToolTip(QString());
  rate_ = *rate;
  fill();
}

void MachiningTimeDialog::fill() {
  const TimeTable table = MakeTimeTable(account_, rate_);
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

  tableNotes_.clear();
  for (const std::string& note : table.notes) tableNotes_ << text(note);
  showNotes({});
}

// The notes of the table, then the extra lines.
void MachiningTimeDialog::showNotes(const QStringList& extra) {
  const QStringList notes = tableNotes_ + extra;
  lblOpmerking_->setText(notes.join('\n'));
  lblOpmerking_->setVisible(!notes.isEmpty());
}

}  // namespace draivo
