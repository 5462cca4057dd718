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

RunStock::RunStock(Simulator& simulator, const WorkpieceSetup& setup)
    : sim_(simulator), setup_(setup) {
  connections_.push_back(sim_.onRunStart.connect([this] { runStarted(); }));
  connections_.push_back(sim_.onLevelLoaded.connect([this](int level) { levelLoaded(level); }));
  connections_.push_back(sim_.interpreter.onExecute.connect(
      [this](const std::string& block) { executing(block); }));
  connections_.push_back(
      sim_.interpreter.onExecuted.connect([this](const std::string&) { executed(); }));
  connections_.push_back(sim_.onPenProgress.connect([this](double done) { penMoved(done); }));
  sim_.addCheckpointPart(*this);
}

RunStock::~RunStock() {
  sim_.removeCheckpointPart(*this);
}

// Everything of the run in progress; the setup for the next runs stays as the user set it.
struct RunStock::Snapshot {
  WorkpieceSetup runSetup;
  bool laid, executedAny;
  std::optional<Workpiece> workpiece;
  std::optional<BlankCommentFault> blankFault;
  ToolFollower tool;
  WarningList warnings;
  Move move;
  decltype(RunStock::nose_) nose;
};

namespace {

// A column's interval and its two nodes of the reach tree.
constexpr std::size_t BytesPerColumn = 4 * sizeof(double);

}  // namespace

// The snapshot counts the columns of its stock, which hold almost all of its memory.
class RunStockState : public ValueState<RunStock::Snapshot> {
 public:
  using ValueState::ValueState;
  std::size_t bytes() const override {
    const std::size_t columns = value.workpiece ? value.workpiece->stock().count() : 0;
    return sizeof(value) + columns * BytesPerColumn;
  }
};

std::unique_ptr<CheckpointPart::State> RunStock::saveState() const {
  return std::make_unique<RunStockState>(Snapshot{
      runSetup_, laid_, executedAny_, workpiece_, blankFault_, tool_, warnings_, move_, nose_});
}

void RunStock::restoreState(const State& state) {
  const Snapshot& saved = static_cast<const RunStockState&>(state).value;
  const WorkpieceSetup applied = runSetup_;
  runSetup_ = saved.runSetup;
  laid_ = saved.laid;
  executedAny_ = saved.executedAny;
  workpiece_ = saved.workpiece;
  blankFault_ = saved.blankFault;
  tool_ = saved.tool;
  warnings_ = saved.warnings;
  move_ = saved.move;
  nose_ = saved.nose;
  painter_.forget();  // the picture went back with the checkpoint
  // A blank set while the run waited at its first block is the run's from its start, also in
  // the checkpoints taken before it was set.
  if (laid_ && !executedAny_ && runSetup_ != applied) relay(applied);
  onWarningsRestored();
}

void RunStock::setSetup(const WorkpieceSetup& setup) {
  setup_ = setup;
  if (!sim_.run.RunBusy || !laid_ || executedAny_) return;
  relay(setup);
}

// Lays the blank of `setup` for the run in progress, which has not carried out a block yet.
void RunStock::relay(const WorkpieceSetup& setup) {
  if (workpiece_) painter_.erase(sim_.picResult);
  runSetup_ = setup;
  workpiece_.reset();
  blankFault_.reset();
  laid_ = false;
  levelLoaded(1);
}

void RunStock::runStarted() {
  runSetup_ = setup_;
  laid_ = false;
  executedAny_ = false;
  workpiece_.reset();
  blankFault_.reset();
  warnings_.clear();
  tool_.reset();
  nose_ = {};
  move_.active = false;
  painter_.forget();
}

// The blank is laid once the main program is in the list, before its first block waits for
// Start, so that the user sees it.
void RunStock::levelLoaded(int level) {
  if (level != 1 || laid_) return;
  laid_ = true;
  if (const std::optional<BarBlank> blank = blankOfRun()) lay(*blank, tool_.unit());
}

std::optional<BarBlank> RunStock::blankOfRun() {
  if (runSetup_.source == WorkpieceSetup::Source::Given) return runSetup_.blank;
  const auto program = sim_.lstCommands.texts();
  if (runSetup_.source == WorkpieceSetup::Source::None || !program) return std::nullopt;
  const std::optional<BlankComment> comment = FindBlankComment(*program);
  if (!comment) return std::nullopt;
  if (comment->parse.fault) {
    blankFault_ = BlankCommentFault{{sim_.listedFile(), program->lineOf(comment->index),
                                     std::string((*program)[comment->index])},
                                    *comment->parse.fault};
    onBlankFault(*blankFault_);
    return std::nullopt;
  }
  return comment->parse.blank;
}

void RunStock::lay(const BarBlank& blank, LengthUnit unit) {
  workpiece_.emplace(blank, unit);
  painter_.forget();
  paint();
}

void RunStock::executing(const std::string& block) {
  executedAny_ = true;
  if (!workpiece_) return;
  move_.active = false;
  if (contains(block, ":")) {
    if (SetsProgramZero(block, sim_.lstCommands.ListIndex(), sim_.run.SubprogramLevel)) {
      tool_.setPosition(0, 0);
    }
    return;
  }
  const ToolStep step = tool_.execute(block);
  // The columns are laid again in the program's unit while nothing has been cut.
  if (tool_.unit() != workpiece_->unit() && !workpiece_->anythingRemoved()) {
    lay(workpiece_->blank(), tool_.unit());
  }
  if (step.kind == ToolStep::Kind::Moved) startMove(block, step);
}

// A rapid move takes its material at once (the view draws it at once); a feed move goes as
// the pen goes, and takes the rest when its block is done.
void RunStock::startMove(const std::string& block, const ToolStep& step) {
  const double nose = noseRadius();
  const PathPoint centre{nose, nose};  // of the nose, from the programmed point
  Move& move = move_;
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
  Workpiece& workpiece = *workpiece_;
  if (workpiece.jawsIn(move.pieces) > workpiece.threshold()) warn(WarningKind::ChuckCollision);
  if (step.rapid) {
    double thickest = 0;
    for (const SweepPiece& piece : move.pieces) {
      thickest = std::max(thickest, workpiece.remove(piece).thickness(workpiece.stock().step()));
    }
    if (thickest > workpiece.threshold()) warn(WarningKind::RapidThroughMaterial);
    return;
  }
  if (!tool_.spindle().running && workpiece.materialIn(move.pieces) > workpiece.threshold()) {
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
  if (tool_.tool() != nose_.tool || tool_.unit() != nose_.unit || !(nose_.radius > 0)) {
    nose_ = {tool_.tool(), tool_.unit(), runSetup_.noses.radiusFor(tool_.tool(), tool_.unit())};
  }
  return nose_.radius;
}

void RunStock::warn(WarningKind kind) {
  if (warnings_.add(kind, sim_.currentLocation())) onWarning(warnings_.all().back());
}

// The pen has drawn the move up to `done`: the stock goes as far. Only a pen that pauses after
// every pixel is followed; at full speed the stock goes when the block is done.
void RunStock::penMoved(double done) {
  if (!workpiece_ || !move_.active || !(done > move_.done) || sim_.view.DrawDelay <= 0) return;
  takeAlong(move_.done, std::min(done, 1.0));
  move_.done = done;
  paint();
}

// Takes the sweep of the part of the path from `from` to `to`, kept within the sweep of the
// whole move, so that the parts add up to exactly what the whole move takes.
void RunStock::takeAlong(double from, double to) {
  const Move& move = move_;
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
      if (whole.quadrant() == piece.quadrant()) workpiece_->remove(piece, &whole);
    }
  }
}

void RunStock::executed() {
  if (!workpiece_) return;
  if (move_.active) {
    for (const SweepPiece& piece : move_.pieces) workpiece_->remove(piece);
    move_.active = false;
  }
  paint();
}

void RunStock::paint() {
  painter_.paint(*workpiece_, sim_.view, sim_.picResult, workpiece_->takeChanged());
}

}  // namespace draivo
