#include "stock/RunStock.h"

#include <algorithm>
#include <cmath>

#include "nc/BlockText.h"
#include "nc/MoveKind.h"
#include "run/Simulator.h"

namespace draivo {
namespace {

PathPoint plus(PathPoint a, PathPoint b) {
  return {a.z + b.z, a.r + b.r};
}

// The box of a sweep is open towards +Z; the rest of it must be a number.
bool finite(const SweepBox& box) {
  return std::isfinite(box.left) && std::isfinite(box.low) && std::isfinite(box.high);
}

}  // namespace

// The state of a run that has not looked for its blank yet.
RunStock::RunState RunStock::freshRun(const WorkpieceSetup& setup) {
  RunState run;
  run.setup = setup;
  return run;
}

RunStock::RunStock(Simulator& simulator, const WorkpieceSetup& setup)
    : sim_(simulator), setup_(setup) {
  connections_.push_back(sim_.onRunStart.connect([this] { runStarted(); }));
  connections_.push_back(sim_.onLevelLoaded.connect([this](int level) { levelLoaded(level); }));
  connections_.push_back(
      sim_.interpreter.onExecute.connect([this](const std::string& block) { executing(block); }));
  connections_.push_back(
      sim_.interpreter.onExecuted.connect([this](const std::string&) { executed(); }));
  connections_.push_back(sim_.onPenProgress.connect([this](double done) { penMoved(done); }));
  sim_.addCheckpointPart(*this);
}

RunStock::~RunStock() {
  sim_.removeCheckpointPart(*this);
}

namespace {

// A column's interval and its two nodes of the reach tree.
constexpr std::size_t BytesPerColumn = 4 * sizeof(double);

}  // namespace

// The snapshot counts the columns of its stock, which hold almost all of its memory.
class RunStockState : public ValueState<RunStock::RunState> {
 public:
  using ValueState::ValueState;
  std::size_t bytes() const override {
    const std::size_t columns = value.workpiece ? value.workpiece->stock().count() : 0;
    return sizeof(value) + columns * BytesPerColumn;
  }
};

std::unique_ptr<CheckpointPart::State> RunStock::saveState() const {
  return std::make_unique<RunStockState>(run_);
}

void RunStock::restoreState(const State& state) {
  const WorkpieceSetup applied = run_.setup;
  run_ = static_cast<const RunStockState&>(state).value;
  painter_.forget();  // the picture went back with the checkpoint
  // A blank set while the run waited at its first block is the run's from its start, also in
  // the checkpoints taken before it was set.
  if (run_.laid && !run_.executedAny && run_.setup != applied) relay(applied);
  onWarningsRestored();
}

void RunStock::setSetup(const WorkpieceSetup& setup) {
  setup_ = setup;
  if (!sim_.run.RunBusy || !run_.laid || run_.executedAny) return;
  relay(setup);
}

// Lays the blank of `setup` for the run in progress, which has not carried out a block yet.
void RunStock::relay(const WorkpieceSetup& setup) {
  if (run_.workpiece) painter_.erase(sim_.picResult);
  run_ = freshRun(setup);
  levelLoaded(1);
}

void RunStock::runStarted() {
  run_ = freshRun(setup_);
  painter_.forget();
}

// The blank is laid once the main program is in the list, before its first block waits for
// Start, so that the user sees it.
void RunStock::levelLoaded(int level) {
  if (level != 1 || run_.laid) return;
  run_.laid = true;
  if (const std::optional<BarBlank> blank = blankOfRun()) lay(*blank, run_.tool.unit());
}

std::optional<BarBlank> RunStock::blankOfRun() {
  if (run_.setup.source == WorkpieceSetup::Source::Given) return run_.setup.blank;
  const auto program = sim_.lstCommands.texts();
  if (run_.setup.source == WorkpieceSetup::Source::None || !program) return {};
  const std::optional<BlankComment> comment = FindBlankComment(*program);
  if (!comment) return {};
  if (comment->parse.fault) {
    run_.blankFault = BlankCommentFault{{sim_.listedFile(), program->lineOf(comment->index),
                                         std::string((*program)[comment->index])},
                                        *comment->parse.fault};
    onBlankFault(*run_.blankFault);
    return {};
  }
  return comment->parse.blank;
}

void RunStock::lay(const BarBlank& blank, LengthUnit unit) {
  run_.workpiece.emplace(blank, unit);
  painter_.forget();
  paint();
}

void RunStock::executing(const std::string& block) {
  run_.executedAny = true;
  if (!run_.workpiece) return;
  run_.move.active = false;
  if (contains(block, ":")) {
    if (SetsProgramZero(block, sim_.lstCommands.ListIndex(), sim_.run.SubprogramLevel)) {
      run_.tool.setPosition(0, 0);
    }
    return;
  }
  const ToolStep step = run_.tool.execute(block);
  // The columns are laid again in the program's unit while nothing has been cut.
  if (run_.tool.unit() != run_.workpiece->unit() && !run_.workpiece->anythingRemoved()) {
    lay(run_.workpiece->blank(), run_.tool.unit());
  }
  if (step.kind == ToolStep::Kind::Moved) startMove(block, step);
}

// A rapid move takes its material at once (the view draws it at once); a feed move goes as
// the pen goes, and takes the rest when its block is done.
void RunStock::startMove(const std::string& block, const ToolStep& step) {
  const double nose = noseRadius();
  const PathPoint centre{nose, nose};  // of the nose, from the programmed point
  Move& move = run_.move;
  move.pieces.clear();
  // A rapid move sweeps the path the view draws for it.
  if (step.rapid && step.bothAxes && RapidModeAfter(block, sim_.drawer.RapidMode)) {
    const PathPoint corner = plus(rapidCorner(step.from, step.to), centre);
    move.pieces.push_back(SweepPiece::segment(plus(step.from, centre), corner, nose));
    move.pieces.push_back(SweepPiece::segment(corner, plus(step.to, centre), nose));
  } else {
    AddSweep(step.path, centre, nose, move.pieces);
  }
  if (!std::all_of(move.pieces.begin(), move.pieces.end(),
                   [](const SweepPiece& piece) { return finite(piece.box()); })) {
    return;
  }
  Workpiece& workpiece = *run_.workpiece;
  if (workpiece.jawsIn(move.pieces) > workpiece.threshold()) warn(WarningKind::ChuckCollision);
  if (step.rapid) {
    double thickest = 0;
    for (const SweepPiece& piece : move.pieces) {
      thickest = std::max(thickest, workpiece.remove(piece).thickness(workpiece.stock().step()));
    }
    if (thickest > workpiece.threshold()) warn(WarningKind::RapidThroughMaterial);
    return;
  }
  if (!run_.tool.spindle().running && workpiece.materialIn(move.pieces) > workpiece.threshold()) {
    warn(WarningKind::CutWithSpindleStopped);
  }
  move.active = true;
  move.path = step.path;
  move.centre = centre;
  move.nose = nose;
  move.done = 0;
}

// The nose radius of the tool in use, looked up again only when the tool or the unit changes.
double RunStock::noseRadius() {
  if (run_.tool.tool() != run_.nose.tool || run_.tool.unit() != run_.nose.unit ||
      !(run_.nose.radius > 0)) {
    run_.nose = {run_.tool.tool(), run_.tool.unit(),
                 run_.setup.noses.radiusFor(run_.tool.tool(), run_.tool.unit())};
  }
  return run_.nose.radius;
}

void RunStock::warn(WarningKind kind) {
  if (run_.warnings.add(kind, sim_.currentLocation())) onWarning(run_.warnings.all().back());
}

// The pen has drawn the move up to `done`: the stock goes as far. Only a pen that pauses after
// every pixel is followed; at full speed the stock goes when the block is done.
void RunStock::penMoved(double done) {
  if (!run_.workpiece || !run_.move.active || !(done > run_.move.done) || sim_.view.DrawDelay <= 0)
    return;
  takeAlong(run_.move.done, std::min(done, 1.0));
  run_.move.done = done;
  paint();
}

// Takes the sweep of the part of the path from `from` to `to`, kept within the sweep of the
// whole move, so that the parts add up to exactly what the whole move takes.
void RunStock::takeAlong(double from, double to) {
  const Move& move = run_.move;
  const MovePath& path = move.path;
  std::vector<SweepPiece> part;
  if (path.isArc()) {
    const double a = path.startAngle() + path.sweep() * from;
    const double b = path.startAngle() + path.sweep() * to;
    AddArcSweep(plus(path.centre(), move.centre), path.radius(), std::min(a, b), std::max(a, b),
                move.nose, part);
  } else {
    part.push_back(SweepPiece::segment(plus(path.pointAt(from), move.centre),
                                       plus(path.pointAt(to), move.centre), move.nose));
  }
  for (const SweepPiece& piece : part) {
    for (const SweepPiece& whole : move.pieces) {
      if (whole.quadrant() == piece.quadrant()) run_.workpiece->remove(piece, &whole);
    }
  }
}

void RunStock::executed() {
  if (!run_.workpiece) return;
  if (run_.move.active) {
    for (const SweepPiece& piece : run_.move.pieces) run_.workpiece->remove(piece);
    run_.move.active = false;
  }
  paint();
}

void RunStock::paint() {
  painter_.paint(*run_.workpiece, sim_.view, sim_.picResult, run_.workpiece->takeChanged());
}

}  // namespace draivo
