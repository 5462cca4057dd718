#include "app/ProgramListView.h"

#include <QAbstractListModel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <memory>
#include <utility>

#include "nc/BlockText.h"
#include "nc/ProgramList.h"

namespace draivo {

class ProgramListView::Model : public QAbstractListModel {
 public:
  explicit Model(QObject* parent) : QAbstractListModel(parent) {}

  // Shows these entries. A list shown again with the texts it had (the caller's program after
  // a subprogram call) keeps its rows: laying out a long program again costs a pass over every
  // row.
  void show(std::shared_ptr<const BlockTexts> texts) {
    if (texts == texts_) return;
    beginResetModel();
    texts_ = std::move(texts);
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() || !texts_ ? 0 : static_cast<int>(texts_->size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || !texts_) return {};
    // A block may hold control characters (a tab, a stray byte of an old file); the list
    // shows them as blanks.
    const std::string text =
        ReplaceControlCharacters((*texts_)[static_cast<std::size_t>(index.row())], " ");
    return QString::fromStdString(text);
  }

 private:
  std::shared_ptr<const BlockTexts> texts_;  // held, so they stay as shown
};

ProgramListView::ProgramListView(const ProgramList& list, QWidget* parent)
    : QListView(parent), list_(list), model_(new Model(this)) {
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

void ProgramListView::mousePressEvent(QMouseEvent* event) {
  const int row = indexAt(event->position().toPoint()).row();
  if (row >= 0) chosenRow_ = row;
  QListView::mousePressEvent(event);
}

void ProgramListView::follow() {
  const QSignalBlocker blocker(selectionModel());
  if (list_.contentRevision() != shownContent_) {
    shownContent_ = list_.contentRevision();
    shownSelection_ = ~std::uint64_t{0};
    model_->show(list_.texts());
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
