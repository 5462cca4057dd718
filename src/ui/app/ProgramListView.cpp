#include "app/ProgramListView.h"

#include <QAbstractListModel>
#include <QBrush>
#include <QColor>
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

  const std::shared_ptr<const BlockTexts>& texts() const { return texts_; }

  // Shows these entries. A list shown again with the texts it had (the caller's program after
  // a subprogram call) keeps its rows: laying out a long program again costs a pass over every
  // row.
  void show(std::shared_ptr<const BlockTexts> texts) {
    if (texts == texts_) return;
    beginResetModel();
    texts_ = std::move(texts);
    endResetModel();
  }

  // The row the user chose gets a light background; the run's selection is drawn over it.
  void mark(int row) {
    const int was = marked_;
    marked_ = row;
    for (const int changed : {was, row}) {
      if (changed >= 0 && changed < rowCount({})) emit dataChanged(index(changed), index(changed));
    }
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() || !texts_ ? 0 : static_cast<int>(texts_->size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || !texts_) return {};
    if (role == Qt::BackgroundRole && index.row() == marked_) return QBrush(ChosenBackground);
    if (role != Qt::DisplayRole) return {};
    // A block may hold control characters (a tab, a stray byte of an old file); the list
    // shows them as blanks.
    const std::string text =
        ReplaceControlCharacters((*texts_)[static_cast<std::size_t>(index.row())], " ");
    return QString::fromStdString(text);
  }

 private:
  static constexpr QColor ChosenBackground{0xff, 0xf0, 0xb0};  // a pale yellow

  std::shared_ptr<const BlockTexts> texts_;  // held, so they stay as shown
  int marked_ = -1;
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
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) choose(current.row());
          });
  // Only the run selects (follow() blocks these signals); any other selection is undone.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    shownSelection_ = ~std::uint64_t{0};
    follow();
  });
}

void ProgramListView::choose(int row) {
  if (row == chosenRow_) return;
  chosenRow_ = row;
  model_->mark(row);
  if (chosenChanged_) chosenChanged_();
}

QItemSelectionModel::SelectionFlags ProgramListView::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
  if (event != nullptr) return QItemSelectionModel::NoUpdate;
  return QListView::selectionCommand(index, event);
}

// A click on the current row changes no current row, but chooses that row too.
void ProgramListView::mousePressEvent(QMouseEvent* event) {
  const int row = indexAt(event->position().toPoint()).row();
  if (row >= 0) choose(row);
  QListView::mousePressEvent(event);
}

void ProgramListView::follow() {
  const QSignalBlocker blocker(selectionModel());
  if (list_.contentRevision() != shownContent_) {
    shownContent_ = list_.contentRevision();
    shownSelection_ = ~std::uint64_t{0};
    const bool otherEntries = list_.texts() != model_->texts();
    model_->show(list_.texts());
    if (otherEntries) choose(-1);
  }
  if (list_.selectionRevision() == shownSelection_) return;
  shownSelection_ = list_.selectionRevision();
  const QModelIndex current = model_->index(list_.ListIndex());
  if (current.isValid()) {
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
  } else {
    selectionModel()->clear();
  }
  // The arrow keys go on from the chosen row.
  const QModelIndex chosen = model_->index(chosenRow_);
  if (chosen.isValid()) selectionModel()->setCurrentIndex(chosen, QItemSelectionModel::NoUpdate);
  const QModelIndex top = model_->index(list_.TopIndex());
  if (top.isValid()) scrollTo(top, QAbstractItemView::PositionAtTop);
  // As in a list box, the selected entry is always in view.
  if (current.isValid()) scrollTo(current, QAbstractItemView::EnsureVisible);
  viewport()->update();
}

}  // namespace draivo
