#pragma once

#include <optional>
#include <string>
#include <vector>

#include "motion/ToolFollower.h"
#include "nc/Signal.h"
#include "run/CheckpointPart.h"
#include "run/SourceLocation.h"
#include "stock/StockInput.h"
#include "stock/StockPainter.h"
#include "stock/StockWarnings.h"
#include "stock/Sweep.h"
#include "stock/Workpiece.h"

namespace draivo {

class Simulator;

// A blank comment that could not be read, and where it stands.
struct BlankCommentFault {
  SourceLocation where;
  InputFault fault;
};

// The workpiece of the simulator's runs, fed by the hooks of the run: it lays the blank when
// the main program is loaded, sweeps the nose of the tool along every executed move (as far as
// the pen has come while a move is drawn pixel by pixel, the whole move once it is done),
// paints the stock under the path in picResult and warns of moves that crash. The nose's
// centre stands the nose radius above and to the right of the programmed point, so that the
// programmed point is the tip of an outside turning tool.
class RunStock : public CheckpointPart {
 public:
  explicit RunStock(Simulator& simulator, const WorkpieceSetup& setup = {});
  ~RunStock() override;
  RunStock(const RunStock&) = delete;
  RunStock& operator=(const RunStock&) = delete;

  // The feed move being carried out, until the block is done.
  struct Move {
    bool active{};
    std::vector<SweepPiece> pieces;
    // It follows the pen: the programmed path, the nose's centre from its points and the
    // nose radius.
    MovePath path;
    PathPoint centre;
    double nose{};
    double done{};  // the fraction of the path already taken
  };
  // The nose radius of the tool in use, for its tool and unit.
  struct Nose {
    std::string tool;
    LengthUnit unit = LengthUnit::Millimetre;
    double radius{};
  };
  // Everything of the run in progress, as it stands when the run starts; the setup for the
  // next runs stays as the user set it.
  struct RunState {
    WorkpieceSetup setup;
    bool laid{};         // the blank of this run was looked for
    bool executedAny{};  // the run has carried out a block
    std::optional<Workpiece> workpiece;
    std::optional<BlankCommentFault> blankFault;
    ToolFollower tool;
    WarningList warnings;
    Move move;
    Nose nose;
  };

  // The stock, its warnings and the move under way go back with the run's checkpoints.
  std::unique_ptr<State> saveState() const override;
  void restoreState(const State& state) override;

  // The setup of the runs that begin from now on, and of the run in progress while it has
  // not carried out a block yet (it waits for Start at its first block).
  void setSetup(const WorkpieceSetup& setup);
  const WorkpieceSetup& setup() const { return setup_; }

  // The workpiece of the current or last run; none when that run had none.
  const std::optional<Workpiece>& workpiece() const { return run_.workpiece; }
  const std::vector<StockWarning>& warnings() const { return run_.warnings.all(); }
  // The blank comment of the last run's main program, when the run was to use it and could not.
  const std::optional<BlankCommentFault>& blankFault() const { return run_.blankFault; }

  // Told of every new warning, and of a blank comment that cannot be read, as they come.
  Signal<const StockWarning&> onWarning;
  Signal<const BlankCommentFault&> onBlankFault;
  // Told when the warnings went back to those of an earlier stop.
  Signal<> onWarningsRestored;

 private:
  static RunState freshRun(const WorkpieceSetup& setup);
  void runStarted();
  void levelLoaded(int level);
  void executing(const std::string& block);
  void executed();
  void penMoved(double fraction);

  void relay(const WorkpieceSetup& setup);
  std::optional<BarBlank> blankOfRun();
  void lay(const BarBlank& blank, LengthUnit unit);
  void startMove(const std::string& block, const ToolStep& step);
  double noseRadius();
  void warn(WarningKind kind);
  void takeAlong(double from, double to);
  void paint();

  Simulator& sim_;
  WorkpieceSetup setup_;
  RunState run_;
  StockPainter painter_;
  std::vector<Connection> connections_;
};

}  // namespace draivo
