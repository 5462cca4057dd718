#pragma once

#include <QListView>
#include <cstdint>
#include <functional>

namespace draivo {

class ProgramList;

// The program list box: a view of the core's program list that reads an entry's text only
// when the entry is painted, instead of holding a copy of every line. It shows the run's
// selection and scroll position; a click of the user, or the arrow keys, do not move them but
// choose a block, which the list marks with a light background.
class ProgramListView : public QListView {
 public:
  ProgramListView(const ProgramList& list, QWidget* parent);

  // Shows the entries, the selected entry and the top entry as the list has them now.
  void follow();

  // The row the user last chose (-1 before any, and again once the list shows other
  // entries): the block "Uitvoeren tot hier" runs to. The run's selection stays where the run is.
  int chosenRow() const { return chosenRow_; }
  void choose(int row);
  // Called whenever the chosen row changes.
  void onChosen(std::function<void()> changed) { chosenChanged_ = std::move(changed); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  // The user's clicks and keys move the current row only; the selection is the run's.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  class Model;

  const ProgramList& list_;
  Model* model_;
  std::uint64_t shownContent_ = ~std::uint64_t{0};
  std::uint64_t shownSelection_ = ~std::uint64_t{0};
  int chosenRow_ = -1;
  std::function<void()> chosenChanged_;
};

}  // namespace draivo
