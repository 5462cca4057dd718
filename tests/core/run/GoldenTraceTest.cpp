#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "run/HeadlessRun.h"
#include "support/DataTable.h"
#include "support/Hashes.h"
#include "support/ScriptedHost.h"
#include "time/RunTimeRecorder.h"
#include "time/TimeTable.h"

namespace draivo::test {
namespace {

const std::set<std::string> ScriptedOptions = {
    "step", "optional-stop", "speed", "quit-at", "start-first", "start-at-end", "open-during-run"};
const std::set<std::string> Options = {"zoom", "direct", "exit", "budget"};
const std::set<std::string> Files = {
    "options",        "expected.trace",  "expected.messages", "expected.status", "expected.waits",
    "expected.state", "expected.pixels", "expected.time",     "expected.hash",   "expected.table"};

std::string keyOf(const std::string& line) {
  return line.substr(0, line.find(' '));
}

// One folder of tests/data: a program, its subprograms and what a run of it must give.
struct GoldenCase {
  std::string name;
  std::filesystem::path folder;
  std::string fault;  // why the folder is no valid case; "" for a valid one
  // The lines of its options and expected files by name ("expected.trace"), "{dir}" replaced.
  std::map<std::string, std::vector<std::string>> files;

  // The lines of expected.<kind>; none when there is no such file.
  const std::vector<std::string>& lines(const std::string& kind) const {
    static const std::vector<std::string> none;
    const auto found = files.find("expected." + kind);
    return found == files.end() ? none : found->second;
  }
  // Its option line starting with `key`, if any.
  const std::string* option(const std::string& key) const {
    const auto options = files.find("options");
    if (options == files.end()) return nullptr;
    for (const auto& line : options->second) {
      if (keyOf(line) == key) return &line;
    }
    return nullptr;
  }
  // An option line starting with `key`, or an expected file of that kind, is there.
  bool has(const std::string& key) const {
    return files.count("expected." + key) > 0 || option(key) != nullptr;
  }
  double number(const std::string& key, double fallback) const {
    const std::string* line = option(key);
    return line ? std::stod(line->substr(key.size())) : fallback;
  }
  // The case needs the scripted user (step mode, closing ...): draivo-sim cannot run it.
  bool scripted() const {
    return std::any_of(ScriptedOptions.begin(), ScriptedOptions.end(),
                       [this](const std::string& key) { return has(key); });
  }
  std::string programFile() const { return (folder / "program.nc").string(); }
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
  *os << c.name;
}

// What a run of a case did, in the form of the expected files.
struct CaseRun {
  std::vector<std::string> trace, messages, status, waits;
  std::map<std::string, std::string> state;
  int exitStatus = 0;
  Surface picture;
  TimeAccount time;
  std::vector<std::string> stale;  // scripted run: ScriptedHost::stale
};

// "RRGGBB", as expected.pixels writes a colour.
std::string ColourText(Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", redOf(colour), greenOf(colour), blueOf(colour));
  return text;
}

bool isCaseFolder(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    if (file == "program.nc" || Files.count(file)) return true;
  }
  return false;
}

GoldenCase readCase(const std::filesystem::path& folder) {
  GoldenCase c{folder.filename().string(), folder, "", {}};
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    if (file.ends_with(".nc")) continue;  // the program and its subprograms
    if (!Files.count(file)) throw std::runtime_error("unknown file " + file);
    auto& lines = c.files[file];
    for (std::string line : ReadLines(entry.path())) {
      for (auto at = line.find("{dir}"); at != std::string::npos; at = line.find("{dir}")) {
        line.replace(at, 5, folder.string() + "/");
      }
      lines.push_back(line);
    }
  }
  for (const auto& line : c.files["options"]) {
    if (!Options.count(keyOf(line)) && !ScriptedOptions.count(keyOf(line))) {
      throw std::runtime_error("unknown option line \"" + line + "\"");
    }
  }
  if (!std::filesystem::is_regular_file(folder / "program.nc"))
    throw std::runtime_error("no program.nc");
  if (!c.has("trace")) throw std::runtime_error("no expected.trace");
  return c;
}

int exitStatusOf(RunOutcome outcome) {
  switch (ExitOf(outcome)) {
    case HeadlessExit::ReachedEnd:
      return 0;
    case HeadlessExit::FileUnreadable:
      return 1;
    case HeadlessExit::NotReached:
      return 5;
    case HeadlessExit::Stopped:
      break;
  }
  return 3;
}

std::string join(const std::vector<std::string>& words, const std::string& separator = " ") {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

// The state after the run, by the keys of expected.state.
std::map<std::string, std::string> stateOf(Simulator& sim, const ScriptedHost& host,
                                           const RunTimeRecorder& time) {
  const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  const auto number = [](auto n) { return std::to_string(n); };
  std::vector<std::string> menus;
  if (sim.menus.startenEnabled) menus.emplace_back("starten");
  if (sim.menus.vernieuwEnabled) menus.emplace_back("vernieuw");
  if (sim.menus.figuurOpslaanEnabled) menus.emplace_back("figuur-opslaan");
  return {
      {"level", number(sim.run.SubprogramLevel) + " " + number(sim.run.ProgramFile.size())},
      {"busy", flag(sim.run.RunBusy)},
      {"start-pressed", flag(sim.StartPressed)},
      {"stop-latch", flag(sim.StopLatch)},
      {"list", ListPosition(sim.lstCommands)},
      {"caption", sim.caption},
      {"images", ImageNames(sim.indicators)},
      {"menus", join(menus)},
      {"labels", join(host.labels, "; ")},
      {"clock", number(host.clock)},
      {"waits", number(host.waitCalls)},
      {"dialogs", number(host.dialogs)},
      {"pen", ColourText(sim.view.PenColour) + " " + number(sim.view.ToolColourIndex)},
      {"time", time.hasRun() ? "run" : "none"},  // whether the time account holds a run
  };
}

// Every case folder under `dataFolder` (one holding a program, options or expected files),
// sorted by name. A folder that cannot be read as a case yields a case whose fault tells why,
// so that the suite fails instead of skipping it.
std::vector<GoldenCase> DiscoverGoldenCases(const std::filesystem::path& dataFolder) {
  std::vector<GoldenCase> cases;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dataFolder, error)) {
    if (!entry.is_directory() || !isCaseFolder(entry.path())) continue;
    try {
      cases.push_back(readCase(entry.path()));
    } catch (const std::exception& fault) {
      cases.push_back({entry.path().filename().string(), entry.path(), fault.what(), {}});
    }
  }
  std::sort(cases.begin(), cases.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return cases;
}

// The run of draivo-sim, and the run of the window's core driven by a scripted user.
CaseRun RunHeadlessCase(const GoldenCase& c) {
  HeadlessOptions options;
  options.zoom = c.number("zoom", HeadlessOptions::ZoomStart);
  options.direct = c.has("direct");
  options.stepBudget = static_cast<std::uint64_t>(c.number("budget", 0));
  options.recordTime = true;
  HeadlessResult result = RunHeadless(c.programFile(), options);
  return {
      std::move(result.trace),      std::move(result.messages), StatusLines(result.status), {}, {},
      exitStatusOf(result.outcome), std::move(result.picture),  std::move(result.time),     {}};
}

CaseRun RunScriptedCase(const GoldenCase& c) {
  ScriptedHost host;
  Simulator sim(host);
  host.attach(sim);
  host.direct = c.has("direct");
  sim.startupTimer();
  sim.view.ZoomFactor = c.number("zoom", HeadlessOptions::ZoomStart);
  sim.setSpeedValue(static_cast<int>(c.number("speed", 0)));
  if (c.has("step")) sim.toggleStepMode();
  if (c.has("optional-stop")) sim.toggleOptionalStop();

  CaseRun run;
  const RunTimeRecorder time(sim);  // as the window keeps it, over all runs of the simulator
  const auto tracing = sim.interpreter.onExecute.connect(
      [&run](const std::string& block) { run.trace.push_back(block); });
  bool openTried = !c.has("open-during-run"), restarted = !c.has("start-at-end");
  const auto reopening = sim.onBlock.connect([&](const std::string&) {
    if (openTried) return;
    openTried = true;
    sim.Open();
    sim.Vernieuw();
  });
  const double quitAt = c.number("quit-at", -1);
  host.onWait = [&](ScriptedHost& h) {
    if (quitAt >= 0 && static_cast<double>(h.clock) >= quitAt) sim.requestQuit();
    if (!restarted && sim.status.nullPointVisible && !sim.run.RunBusy) {
      restarted = true;
      sim.Starten();
    }
  };
  if (c.has("start-first")) sim.Starten();
  host.dialogAnswer = c.programFile();
  sim.Open();
  host.runReturned();
  run.messages = host.messages;
  run.status = StatusLines(StatusRows(sim.status));
  run.waits = host.gateClicks;
  run.stale = host.stale;
  run.state = stateOf(sim, host, time);
  run.exitStatus = exitStatusOf(sim.lastOutcome);
  run.picture = sim.picResult;
  run.time = time.account();
  return run;
}

// The trace with the lines that a line "... N" of the expected trace passes over replaced by
// that line, so that long runs are compared by their ends and their exact length.
std::vector<std::string> elided(const std::vector<std::string>& trace,
                                const std::vector<std::string>& expected) {
  std::vector<std::string> out;
  std::size_t at = 0;
  for (std::size_t i = 0; i < expected.size() && at < trace.size(); ++i) {
    const std::size_t skip =
        expected[i].starts_with("... ") ? std::stoul(expected[i].substr(4)) : 0;
    if (skip > 0 && at + skip <= trace.size()) {
      out.push_back(expected[i]);
      at += skip;
    } else {
      out.push_back(trace[at++]);
    }
  }
  out.insert(out.end(), trace.begin() + static_cast<std::ptrdiff_t>(at), trace.end());
  return out;
}

// FNV-1a (64 bits) of the trace, each block ended by a line break, and of the picture's pixel
// values row by row, as expected.hash holds them.
std::vector<std::string> hashLines(const CaseRun& run) {
  std::uint64_t hashes[2] = {FnvStart, PictureHash(run.picture)};
  for (const auto& block : run.trace)
    hashes[0] = Fnv1a((block + "\n").data(), block.size() + 1, hashes[0]);
  char text[2][40];
  for (int i = 0; i < 2; ++i)
    std::snprintf(text[i], sizeof text[i], "%016llx", static_cast<unsigned long long>(hashes[i]));
  return {std::string("trace ") + text[0], std::string("picture ") + text[1]};
}

void expectCommon(const GoldenCase& c, const CaseRun& run) {
  EXPECT_EQ(elided(run.trace, c.lines("trace")), c.lines("trace"));
  EXPECT_EQ(run.messages, c.lines("messages"));
  EXPECT_EQ(run.exitStatus, c.number("exit", 0));
  if (c.has("status")) {
    EXPECT_EQ(run.status, c.lines("status"));
  }
  if (c.has("hash")) {
    EXPECT_EQ(hashLines(run), c.lines("hash"));
  }
  for (const auto& line : c.lines("pixels")) {
    int column = 0, row = 0;
    std::istringstream(line) >> column >> row;
    const std::string place = std::to_string(column) + " " + std::to_string(row) + " ";
    EXPECT_EQ(place + ColourText(run.picture.getPixel(column, row)), line);
  }
}

// expected.time: per tool (in the order of first use, "-" for none) and a last line "total":
// the feed, rapid and dwell seconds ("unknown" feed time) and the feed and rapid length,
// within 0.002 or the percentage of a line "tolerance P".
void expectTime(const std::vector<std::string>& lines, const TimeAccount& account) {
  double relative = 0;
  std::size_t tool = 0;
  for (const auto& line : lines) {
    std::istringstream words(line);
    std::string name, feed;
    if (!(words >> name) || name.starts_with("#")) continue;
    if (name == "tolerance") {
      words >> relative;
      relative /= 100;
      continue;
    }
    double want[5] = {};
    words >> feed >> want[1] >> want[2] >> want[3] >> want[4];
    ASSERT_FALSE(words.fail()) << line;
    const bool total = name == "total";
    ASSERT_TRUE(total || tool < account.tools.size()) << line;
    EXPECT_EQ(total ? name : account.tools[tool].tool, name == "-" ? "" : name);
    const TimeTotals t = total ? account.total() : account.tools[tool++].totals;
    EXPECT_EQ(t.feedKnown(), feed != "unknown") << line;
    want[0] = t.feedKnown() && feed != "unknown" ? std::stod(feed) : 0;
    const double got[5] = {t.feedKnown() ? t.feedMinutes * 60 : 0, t.rapidMinutes(0) * 60,
                           t.dwellMinutes * 60, t.feedLength, t.rapidLength};
    for (int i = 0; i < 5; ++i) {
      EXPECT_NEAR(got[i], want[i], std::max(0.002, relative * std::fabs(want[i]))) << line;
    }
  }
  EXPECT_EQ(tool, account.tools.size()) << "tools in expected.time";
}

// With DRAIVO_UPDATE_GOLDEN set, a case's picture hash, status, time table, state and waits are
// written back from its runs instead of compared (no file for none): read the diff before
// keeping it.
void writeBack(const GoldenCase& c, const std::string& kind,
               const std::vector<std::string>& lines) {
  const auto file = c.folder / ("expected." + kind);
  if (lines.empty()) {
    std::filesystem::remove(file);
    return;
  }
  std::ofstream out(file, std::ios::binary);
  const std::string dir = c.folder.string() + "/";
  for (std::string line : lines) {
    for (auto at = line.find(dir); at != std::string::npos; at = line.find(dir))
      line.replace(at, dir.size(), "{dir}");
    out << line << "\n";
  }
}

bool updating() {
  return std::getenv("DRAIVO_UPDATE_GOLDEN") != nullptr;
}

std::vector<std::string> stateLines(const CaseRun& run) {
  std::vector<std::string> lines;
  for (const auto& [key, value] : run.state) lines.push_back(key + " " + value);
  return lines;
}

std::string testNameOf(const ::testing::TestParamInfo<GoldenCase>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

std::vector<GoldenCase> allCases() {
  return DiscoverGoldenCases(DataFolder());
}

class GoldenTraceTest : public ::testing::TestWithParam<GoldenCase> {};

// Every case runs as draivo-sim runs it and as the window does, driven by a scripted user who
// clicks Start whenever the run waits; options only one of them can follow select that one.
TEST_P(GoldenTraceTest, RunDoesWhatTheFolderExpects) {
  const GoldenCase& c = GetParam();
  ASSERT_TRUE(c.fault.empty()) << c.folder << ": " << c.fault;
  if (!c.scripted()) {
    SCOPED_TRACE("headless run");
    const CaseRun run = RunHeadlessCase(c);
    if (updating()) {
      writeBack(c, "hash", hashLines(run));
      writeBack(c, "status", run.status);
      writeBack(c, "table", TextLines(FormatTimeTable(MakeTimeTable(run.time, 0))));
    }
    expectCommon(c, run);
    if (c.has("time")) expectTime(c.lines("time"), run.time);
    if (c.has("table")) {
      // As printed, blanks and all: the columns line up by their padding.
      EXPECT_EQ(TextLines(FormatTimeTable(MakeTimeTable(run.time, 0))), c.lines("table"));
    }
  }
  if (c.has("budget")) return;
  SCOPED_TRACE("scripted run");
  const CaseRun run = RunScriptedCase(c);
  if (updating()) {
    if (c.scripted()) {
      writeBack(c, "hash", hashLines(run));
      writeBack(c, "status", run.status);
    }
    writeBack(c, "state", stateLines(run));
    writeBack(c, "waits", run.waits);
  }
  expectCommon(c, run);
  if (c.has("time")) expectTime(c.lines("time"), run.time);
  EXPECT_EQ(run.waits, c.lines("waits"));
  EXPECT_EQ(run.stale, std::vector<std::string>{}) << "the window was not told of a change";
  for (const auto& line : c.lines("state")) {
    const std::string key = line.substr(0, line.find(' '));
    ASSERT_EQ(run.state.count(key), 1u) << "unknown state " << key;
    EXPECT_EQ(key + " " + run.state.at(key), line);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, GoldenTraceTest, ::testing::ValuesIn(allCases()), testNameOf);

TEST(GoldenTraceData, IsFound) {
  EXPECT_GE(allCases().size(), 100u) << DataFolder();
}

}  // namespace
}  // namespace draivo::test
