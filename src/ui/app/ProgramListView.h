#pragma once

#include <QListView>
#include <cstdint>

namespace draivo {

class ProgramList;

// The program list box: a view of the core's program list that reads an entry's text only
// when the entry is painted, instead of holding a copy of every line. It shows the run's
// selection and scroll position; a click of the user does not move them.
class ProgramListView : public QListView {
 public:
  ProgramListView(const ProgramList& list, QWidget* parent);

  // Shows the entries, the selected entry and the top entry as the list has them now.
  void follow();

  // The row the user last clicked or opened the pop-up menu on (-1 before any): the block
  // "Uitvoeren tot hier" runs to. The run's selection stays where the run is.
  int chosenRow() const { return chosenRow_; }
  void choose(int row) { chosenRow_ = row; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  class Model;

  const ProgramList& list_;
  Model* model_;
  std::uint64_t shownContent_ = ~std::uint64_t{0};
  std::uint64_t shownSelection_ = ~std::uint64_t{0};
  int chosenRow_ = -1;
};

}  // namespace draivo
