#include "app/ProgramListView.h"

#include <QAbstractListModel>
#include <QSignalBlocker>

#include "nc/ProgramList.h"

namespace draivo {

class ProgramListView::Model : public QAbstractListModel {
 public:
  Model(const ProgramList& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}

  // Takes the entries as the list has them now.
  void reload() {
    beginResetModel();
    rows_ = list_.ListCount();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    // Between a change of the list and the next reload a row may be past its end: "".
    const std::string_view text = list_.List(index.row());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }

 private:
  const ProgramList& list_;
  int rows_ = 0;
};

ProgramListView::ProgramListView(const ProgramList& list, QWidget* parent)
    : QListView(parent), list_(list), model_(new Model(list, this)) {
  setModel(model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // As in a list box, a long block is cut at the edge, without an ellipsis or a scroll bar.
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
    shownSelection_ = ~std::uint64_t{0};  // the user moved it: show the run's again
    follow();
  });
}

void ProgramListView::follow() {
  const QSignalBlocker blocker(selectionModel());
  if (list_.contentRevision() != shownContent_) {
    shownContent_ = list_.contentRevision();
    shownSelection_ = ~std::uint64_t{0};
    model_->reload();
  }
  if (list_.selectionRevision() == shownSelection_) return;
  shownSelection_ = list_.selectionRevision();
  const QModelIndex current = model_->index(list_.ListIndex());
  if (current.isValid()) {
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
  } else {
    selectionModel()->clear();
  }
  const QModelIndex top = model_->index(list_.TopIndex());
  if (top.isValid()) scrollTo(top, QAbstractItemView::PositionAtTop);
  // As in a list box, the selected entry is always in view.
  if (current.isValid()) scrollTo(current, QAbstractItemView::EnsureVisible);
  viewport()->update();
}

}  // namespace draivo
