#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "nc/BlockText.h"
#include "render/ViewState.h"
#include "run/HeadlessRun.h"
#include "stock/StockPainter.h"
#include "stock/StockProfile.h"
#include "support/DataTable.h"
#include "support/Hashes.h"
#include "support/ScriptedHost.h"

namespace draivo::test {
namespace {

// One folder of tests/data/stock: a program (and its subprograms), `options` with the lines
// `stock D..,L..` (else the program's blank comment is the blank), `nose-radius [T=]R` and
// `speed N` (the animated run's pace, default 75), and what the run must give:
// `expected.warnings`, as draivo-sim --check prints them, and `expected.stock`, with lines
// `area A tolerance T` (the half-section left), `top Z R` (the outer radius of the material
// at Z, `-` where none is left), `pixel COLUMN ROW stock|jaws|background` (in picResult after
// the run), `profile TEXT` (text of the --profile picture: a corner "Z,-R", the centre line)
// and `fault TEXT` (the blank comment cannot be read). `{dir}` is the folder + "/".
struct StockCase {
  std::string name;
  std::filesystem::path folder;
  std::map<std::string, std::vector<std::string>> files;
  std::string fault;  // why the folder is no valid case

  std::vector<std::string> lines(const std::string& file) const {
    const auto found = files.find(file);
    return found == files.end() ? std::vector<std::string>{} : found->second;
  }
  WorkpieceSetup setup() const {
    WorkpieceSetup setup;
    setup.source = WorkpieceSetup::Source::Program;
    for (const std::string& line : lines("options")) {
      const std::string value = line.substr(line.find(' ') + 1);
      if (line.starts_with("stock ")) {
        const BlankParse parse = ParseStockOption(value);
        if (parse.fault) throw std::runtime_error("bad stock option " + value);
        setup.source = WorkpieceSetup::Source::Given;
        setup.blank = parse.blank;
      } else if (line.starts_with("nose-radius ")) {
        const NoseRadiusParse parse = ParseNoseRadius(value);
        if (parse.fault) throw std::runtime_error("bad nose radius " + value);
        (parse.tool ? setup.noses.byTool[*parse.tool] : setup.noses.fallback) = parse.radius;
      } else if (!line.starts_with("speed ")) {
        throw std::runtime_error("unknown option line " + line);
      }
    }
    return setup;
  }
  int speed() const {
    for (const std::string& line : lines("options")) {
      if (line.starts_with("speed ")) return std::stoi(line.substr(6));
    }
    return 75;
  }
  std::string program() const { return (folder / "program.nc").string(); }
};

void PrintTo(const StockCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<StockCase> StockCases() {
  std::vector<StockCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(DataFolder() / "stock")) {
    if (!entry.is_directory()) continue;
    StockCase c{entry.path().filename().string(), entry.path(), {}, {}};
    for (const auto& file : std::filesystem::directory_iterator(entry.path())) {
      const std::string name = file.path().filename().string();
      if (name.ends_with(".nc")) continue;
      if (name != "options" && name != "expected.warnings" && name != "expected.stock") {
        c.fault = "unknown file " + name;
      }
      for (std::string line : ReadLines(file.path())) {
        for (auto at = line.find("{dir}"); at != std::string::npos; at = line.find("{dir}")) {
          line.replace(at, 5, entry.path().string() + "/");
        }
        if (!line.empty() && line[0] != '#') c.files[name].push_back(line);
      }
    }
    cases.push_back(c);
  }
  std::sort(cases.begin(), cases.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return cases;
}

// What a run with the workpiece left.
struct StockRun {
  std::vector<std::string> trace, warnings;
  std::optional<Workpiece> workpiece;
  std::optional<BlankCommentFault> fault;
  Surface picture;
  bool followedThePen = false;  // the stock went down between two waits of one block
  bool arcLagged = false;       // the last wait of an arc showed less cut than the arc leaves
};

std::vector<std::string> warningLines(const std::vector<StockWarning>& warnings) {
  std::vector<std::string> lines;
  for (const StockWarning& w : warnings) lines.push_back(FormatWarning(w));
  return lines;
}

StockRun runDirect(const std::string& program, const WorkpieceSetup& setup) {
  HeadlessOptions options;
  options.direct = true;
  options.workpiece = setup;
  HeadlessResult result = RunHeadless(program, options);
  return {result.trace, warningLines(result.warnings), result.workpiece, result.blankFault,
          result.picture};
}

// The window's run: the pen draws feed moves pixel by pixel and the stock follows it.
StockRun runAnimated(const std::string& program, const WorkpieceSetup& setup, int speed) {
  ScriptedHost host;
  host.direct = false;
  Simulator sim(host);
  host.attach(sim);
  RunStock stock(sim, setup);
  sim.startupTimer();
  sim.setSpeedValue(speed);
  StockRun run;
  double lastArea = 0;
  std::size_t lastBlock = 0;
  bool arcWaited = false;
  const auto area = [&stock] { return stock.workpiece()->stock().area(); };
  std::vector<std::string> heard;  // the warnings the window's list is told of, one by one
  const auto hearing = stock.onWarning.connect(
      [&](const StockWarning& warning) { heard.push_back(FormatWarning(warning)); });
  const auto tracing = sim.interpreter.onExecute.connect([&](const std::string& block) {
    // The arc before is drawn whole: its last wait showed all that it cuts. (A cycle cuts its
    // passes between blocks, a rapid at its end.)
    if (arcWaited && area() != lastArea) run.arcLagged = true;
    arcWaited = false;
    run.trace.push_back(block);
  });
  host.onWait = [&](ScriptedHost&) {
    if (!stock.workpiece() || run.trace.empty()) return;
    if (run.trace.size() == lastBlock && area() < lastArea) run.followedThePen = true;
    lastArea = area();
    lastBlock = run.trace.size();
    const std::string& block = run.trace.back();
    arcWaited = contains(block, "G02") || contains(block, "G03");
  };
  host.dialogAnswer = program;
  sim.Open();
  run.warnings = warningLines(stock.warnings());
  EXPECT_EQ(heard, run.warnings) << "the warnings the window was told of";
  run.workpiece = stock.workpiece();
  run.fault = stock.blankFault();
  run.picture = sim.picResult;
  return run;
}

// The outer radius of the material at z; none where it has all gone.
std::optional<double> topAt(const Workpiece& workpiece, double z) {
  const Dexels& stock = workpiece.stock();
  const double index = std::floor((z - stock.left()) / stock.step());
  if (index < 0 || index >= static_cast<double>(stock.count())) return std::nullopt;
  const Interval& m = stock.column(static_cast<std::size_t>(index));
  if (!(m.hi > m.lo)) return std::nullopt;
  return m.hi;
}

std::string colourName(Colour colour, const Surface& picture) {
  if (colour == StockColour) return "stock";
  if (colour == JawColour) return "jaws";
  if (colour == picture.backColour()) return "background";
  char text[8];
  std::snprintf(text, sizeof text, "%06X", colour);
  return text;
}

void checkStock(const StockCase& c, const StockRun& run, const std::string& how) {
  SCOPED_TRACE(how);
  EXPECT_EQ(run.warnings, c.lines("expected.warnings"));
  for (const std::string& line : c.lines("expected.stock")) {
    std::istringstream in(line);
    std::string key;
    in >> key;
    if (key == "fault") {
      ASSERT_TRUE(run.fault) << line;
      EXPECT_EQ("fault " + FaultText(run.fault->fault, Language::English), line);
      EXPECT_FALSE(run.workpiece);
      continue;
    }
    ASSERT_TRUE(run.workpiece) << line;
    if (key == "area") {
      double area = 0, tolerance = 0;
      std::string word;
      in >> area >> word >> tolerance;
      EXPECT_NEAR(run.workpiece->stock().area(), area, tolerance) << line;
    } else if (key == "top") {
      double z = 0;
      std::string r;
      in >> z >> r;
      const std::optional<double> top = topAt(*run.workpiece, z);
      if (r == "-") {
        EXPECT_FALSE(top) << line << ": " << top.value_or(0);
      } else {
        ASSERT_TRUE(top) << line;
        EXPECT_NEAR(*top, std::stod(r), 2 * run.workpiece->stock().step()) << line;
      }
    } else if (key == "profile") {
      std::string text;
      std::getline(in >> std::ws, text);
      const std::string svg = ProfileSvg(*run.workpiece);
      EXPECT_NE(svg.find(text), std::string::npos) << line << " in\n" << svg;
    } else if (key == "pixel") {
      int column = 0, row = 0;
      std::string colour;
      in >> column >> row >> colour;
      EXPECT_EQ(colourName(run.picture.getPixel(column, row), run.picture), colour) << line;
    } else {
      ADD_FAILURE() << "unknown line " << line;
    }
  }
}

class StockGolden : public ::testing::TestWithParam<StockCase> {};

// The case's stock and warnings, the same whether the moves are drawn at once or pixel by
// pixel; and the workpiece changes nothing of the run itself.
TEST_P(StockGolden, LeavesTheExpectedStockAndWarnings) {
  const StockCase& c = GetParam();
  ASSERT_EQ(c.fault, "");
  const WorkpieceSetup setup = c.setup();
  const StockRun direct = runDirect(c.program(), setup);
  checkStock(c, direct, "direct");
  checkStock(c, runAnimated(c.program(), setup, c.speed()), "animated");
  HeadlessOptions plain;
  plain.direct = true;
  EXPECT_EQ(RunHeadless(c.program(), plain).trace, direct.trace);
}

INSTANTIATE_TEST_SUITE_P(Data, StockGolden, ::testing::ValuesIn(StockCases()),
                         [](const auto& info) { return info.param.name; });

// The example programs, each with a blank that fits it, run without a warning.
TEST(StockExamples, RunWithoutWarnings) {
  const auto examples = DataFolder().parent_path().parent_path() / "examples";
  for (const TableRow& row : ReadTable("tables/stock_examples.rows")) {
    WorkpieceSetup setup;
    setup.source = WorkpieceSetup::Source::Given;
    const BlankParse parse = ParseStockOption(row.at(1));
    ASSERT_FALSE(parse.fault) << row.at(1);
    setup.blank = parse.blank;
    const StockRun run = runDirect((examples / row.at(0)).string(), setup);
    EXPECT_EQ(run.warnings, std::vector<std::string>{}) << row.at(0);
    ASSERT_TRUE(run.workpiece) << row.at(0);
    EXPECT_LT(run.workpiece->stock().area(), setup.blank.diameter / 2 * setup.blank.length)
        << row.at(0) << " cut nothing";
  }
}

// The program of the stock case folder `name`.
std::filesystem::path StockProgram(const std::string& name) {
  return DataFolder() / "stock" / name / "program.nc";
}

// The program of the StockSetup cases: rapids through the blank, which warn.
std::filesystem::path RapidsThroughTheBlank() {
  return StockProgram("g00_through_blank");
}

WorkpieceSetup SetupOf(WorkpieceSetup::Source source, const BarBlank& blank = {}) {
  WorkpieceSetup setup;
  setup.source = source;
  setup.blank = blank;
  return setup;
}

WorkpieceSetup GivenBlank(const std::string& option) {
  return SetupOf(WorkpieceSetup::Source::Given, ParseStockOption(option).blank);
}

// A workpiece set while the run waits for Start at its first block is that run's; set once a
// block has been carried out it waits for the next run. Taken away before Start, its picture
// goes too, and a given blank set over a faulty blank comment leaves no fault.
TEST(StockSetup, CountsForARunThatHasNotBegun) {
  const WorkpieceSetup given = GivenBlank("D50,L80,K20");
  const WorkpieceSetup fromProgram = SetupOf(WorkpieceSetup::Source::Program);
  const auto faultyComment = StockProgram("blank_comment_garbage");
  struct Case {
    int gate;  // the Start click before which the setup changes
    WorkpieceSetup first, then;
    bool cut;
    std::size_t warnings;
    std::filesystem::path program = RapidsThroughTheBlank();
  };
  for (const Case& c :
       {Case{1, {}, given, true, 2}, Case{2, {}, given, false, 0}, Case{1, given, {}, false, 0},
        Case{1, fromProgram, given, true, 1, faultyComment}}) {
    ScriptedHost host;
    Simulator sim(host);
    host.attach(sim);
    RunStock stock(sim, c.first);
    sim.startupTimer();
    int gates = 0;
    host.onWait = [&](ScriptedHost& h) {
      if (sim.run.RunBusy && !sim.StartPressed && ++gates == c.gate) stock.setSetup(c.then);
      (void)h;
    };
    sim.toggleStepMode();
    host.dialogAnswer = c.program.string();
    sim.Open();
    SCOPED_TRACE(c.gate);
    EXPECT_EQ(stock.workpiece().has_value(), c.cut);
    EXPECT_FALSE(stock.blankFault());
    EXPECT_EQ(stock.warnings().size(), c.warnings);
    const auto& pixels = sim.picResult.pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), StockColour) > 0, c.cut);
    EXPECT_EQ(stock.setup(), c.then);
  }
}

// A program opened again starts its stock and its warnings afresh; a workpiece taken away
// before is no longer kept with the run's checkpoints.
TEST(StockSetup, ASecondRunWarnsOnlyOfItsOwnMoves) {
  ScriptedHost host;
  Simulator sim(host);
  host.attach(sim);
  std::make_unique<RunStock>(sim, GivenBlank("D50,L80")).reset();
  RunStock stock(sim, GivenBlank("D50,L80"));
  sim.startupTimer();
  for (int run = 1; run <= 2; ++run) {
    host.dialogAnswer = RapidsThroughTheBlank().string();
    sim.Open();
    EXPECT_EQ(sim.lastOutcome, RunOutcome::ReachedEnd) << run;
    EXPECT_EQ(stock.warnings().size(), 2u) << run;
  }
}

// A program opened after one whose blank comment is faulty lays its own blank, without the
// fault of the one before.
TEST(StockSetup, ASecondProgramLeavesTheFaultOfTheFirst) {
  ScriptedHost host;
  Simulator sim(host);
  host.attach(sim);
  RunStock stock(sim, SetupOf(WorkpieceSetup::Source::Program));
  sim.startupTimer();
  for (const char* program : {"blank_comment_garbage", "stays_clear"}) {
    host.dialogAnswer = StockProgram(program).string();
    sim.Open();
    EXPECT_EQ(stock.blankFault().has_value(), !stock.workpiece()) << program;
  }
  EXPECT_TRUE(stock.workpiece());
}

// Drawn pixel by pixel, a feed move takes the stock as the pen goes, not at the block's end.
TEST(StockFollowsThePen, WithinAFeedMove) {
  const auto program = StockProgram("g90_pass_d50_to_d40");
  EXPECT_TRUE(runAnimated(program.string(), GivenBlank("D50,L80"), ViewState::SpeedValueLeft)
                  .followedThePen);
  EXPECT_FALSE(runAnimated(program.string(), GivenBlank("D50,L80"), ViewState::SpeedValueRight)
                   .followedThePen);
  // The pen's last pixel of an arc shows the stock cut to the arc's end.
  const StockRun arc = runAnimated(StockProgram("arc_into_the_bar").string(), GivenBlank("D50,L80"),
                                   ViewState::SpeedValueLeft);
  EXPECT_TRUE(arc.followedThePen);
  EXPECT_FALSE(arc.arcLagged);
}

// A row of stock_run_cases.rows: a run case, the area it leaves of ShortRunCaseBlank, its warnings
// and a hash of its profile picture.
std::string stockRow(const std::filesystem::path& folder, const StockRun& run) {
  const std::string name = folder.filename().string();
  if (!run.workpiece) return name + "|-||";
  char area[32];
  std::snprintf(area, sizeof area, "%.3f", run.workpiece->stock().area());
  std::string warnings;
  const std::string dir = folder.string() + "/";
  for (std::string w : run.warnings) {
    if (w.starts_with(dir)) w.replace(0, dir.size(), "{dir}");
    warnings += (warnings.empty() ? "" : " / ") + w;
  }
  const std::string svg = ProfileSvg(*run.workpiece);
  char hash[20];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(Fnv1a(svg.data(), svg.size())));
  return name + "|" + area + "|" + warnings + "|" + hash;
}

// The program of every short run case cut from one blank leaves the stock, warnings and
// profile the table holds, the same drawn at once as pixel by pixel. With DRAIVO_UPDATE_GOLDEN
// set the table is written back instead.
TEST(StockOverRunCases, LeaveTheTablesStock) {
  std::map<std::string, std::string> expected;
  for (const TableRow& row : ReadTable("tables/stock_run_cases.rows"))
    expected[row.at(0)] = row.at(0) + "|" + row.at(1) + "|" + row.at(2) + "|" + row.at(3);
  const WorkpieceSetup setup = GivenBlank(ShortRunCaseBlank);
  std::vector<std::string> rows;
  for (const std::filesystem::path& program : ShortRunCases()) {
    const std::string name = program.parent_path().filename().string();
    SCOPED_TRACE(name);
    const StockRun direct = runDirect(program.string(), setup);
    rows.push_back(stockRow(program.parent_path(), direct));
    EXPECT_EQ(rows.back(), expected[name]);
    EXPECT_EQ(stockRow(program.parent_path(), runAnimated(program.string(), setup, 75)),
              rows.back());
  }
  EXPECT_EQ(rows.size(), expected.size());
  if (std::getenv("DRAIVO_UPDATE_GOLDEN")) {
    std::sort(rows.begin(), rows.end());
    std::ofstream out(DataFolder() / "tables/stock_run_cases.rows", std::ios::binary);
    out << "# run case of tests/data|area left of " << ShortRunCaseBlank
        << "|warnings|FNV-1a 64 of its --profile picture\n";
    for (const auto& row : rows) out << row << "\n";
  }
}

}  // namespace
}  // namespace draivo::test
